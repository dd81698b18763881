// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt back end's controls: creation at a fixed place in its panel's inner area, and the
// operations the program calls by id, their accessible names included. The window, keys and
// boxes are qt_ui.cpp's.
#include <QAbstractButton>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <cassert>
#include <vector>

#include "app/qt/qt_ui.h"

namespace {

constexpr int ListRowHeight = 18;

Qt::Alignment LabelAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Centre:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case Alignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// A label with a buddy reads a single '&' as the mark of a shortcut letter and hides it;
// doubled, every '&' still shows as the program set it.
QString LabelShown(const QString& text, const QLabel& label) {
    return label.buddy() != nullptr ? QString(text).replace(u'&', QStringLiteral("&&")) : text;
}
QString LabelText(const QLabel& label) {
    const QString shown = label.text();
    return label.buddy() != nullptr
               ? QString(shown).replace(QStringLiteral("&&"), QStringLiteral("&"))
               : shown;
}

QTableWidget* MakeReportList(WidgetEvents& ui, int id, QWidget* parent) {
    auto* list = new QTableWidget(0, 0, parent);
    list->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(true);
    list->setWordWrap(false);
    list->setTabKeyNavigation(false);
    list->setCornerButtonEnabled(false);
    list->verticalHeader()->hide();
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setDefaultSectionSize(ListRowHeight);
    list->horizontalHeader()->setHighlightSections(false);
    list->horizontalHeader()->setSectionsClickable(false);
    list->horizontalHeader()->setStretchLastSection(false);
    list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QObject::connect(list, &QTableWidget::itemSelectionChanged, list,
                     [&ui, id] { ui.ControlEvent(id); });
    return list;
}

QWidget* MakeControl(WidgetEvents& ui, int id, ControlKind kind, QWidget* parent,
                     const QString& text, Alignment alignment) {
    switch (kind) {
        case ControlKind::PushButton: {
            auto* button = new QPushButton(text, parent);
            button->setAutoDefault(false);
            QObject::connect(button, &QPushButton::clicked, button,
                             [&ui, id] { ui.ControlEvent(id); });
            return button;
        }
        case ControlKind::Panel:
            return new PanelFrame(parent);
        case ControlKind::DropDownList: {
            auto* list = new DropDownList(ui, id, parent);
            QObject::connect(list, &QComboBox::currentIndexChanged, list,
                             [&ui, id] { ui.ControlEvent(id); });
            return list;
        }
        case ControlKind::ReportList:
            return MakeReportList(ui, id, parent);
        case ControlKind::Input: {
            auto* field = new InputField(ui, id, parent);
            field->setText(text);
            QObject::connect(field, &QLineEdit::textChanged, field,
                             [&ui, id] { ui.ControlEvent(id); });
            return field;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(text, parent);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(LabelAlignment(alignment));
            return label;
        }
        case ControlKind::Picture: {
            auto* picture = new QLabel(parent);
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return picture;
        }
    }
    return nullptr;
}

}  // namespace

template <typename Widget>
Widget* QtUi::Find(int id, ControlKind kind) const {
    auto found = controls_.find(id);
    if (found == controls_.end() || found->second.kind != kind) return nullptr;
    return static_cast<Widget*>(found->second.widget);
}

void QtUi::DoCreateControl(int id, ControlKind kind, int parent, int x, int y, int width,
                           int height, const std::u16string& text, Alignment alignment) {
    assert(controls_.count(id) == 0 && "a control id was created twice");
    QWidget* parentWidget = ParentWidget(parent);
    if (parentWidget == nullptr) return;
    QWidget* widget =
        MakeControl(*this, id, kind, parentWidget, QString::fromStdU16String(text), alignment);
    // Positions count from the panel's inner area, inside its one-pixel border.
    const QMargins inner = parentWidget->contentsMargins();
    widget->setGeometry(x + inner.left(), y + inner.top(), width, height);
    widget->show();
    if (keyFilter_ != nullptr) widget->installEventFilter(keyFilter_);
    controls_[id] = {widget, kind};
    if (widget->focusPolicy() & Qt::TabFocus) {
        if (lastFocusable_ != nullptr) QWidget::setTabOrder(lastFocusable_, widget);
        lastFocusable_ = widget;
    }
}

void QtUi::DoAddColumn(int id, const std::u16string& header, int width) {
    auto* list = Find<QTableWidget>(id, ControlKind::ReportList);
    if (list == nullptr) return;
    const int column = list->columnCount();
    list->setColumnCount(column + 1);
    list->setHorizontalHeaderItem(column, new QTableWidgetItem(QString::fromStdU16String(header)));
    list->setColumnWidth(column, width);
}

void QtUi::DoSetPicture(int id, const Picture& picture) {
    auto* label = Find<QLabel>(id, ControlKind::Picture);
    if (label == nullptr) return;
    const QImage image = PictureToImage(picture);
    if (image.isNull()) return;
    // Drawn straight onto the panel, so a picture with alpha blends over its background.
    label->setPixmap(QPixmap::fromImage(image));
    label->resize(image.size());
}

void QtUi::DoSetTooltip(int id, const std::u16string& text) {
    QWidget* widget = Control(id);
    if (widget != nullptr) widget->setToolTip(QString::fromStdU16String(text));
}

void QtUi::DoSetAccessibleText(int id, const AccessibleText& text) {
    QWidget* widget = Control(id);
    if (widget == nullptr) return;
    widget->setAccessibleName(QString::fromStdU16String(text.name));
    widget->setAccessibleDescription(QString::fromStdU16String(text.description));
    auto* label = Find<QLabel>(text.labelId, ControlKind::Label);
    if (label == nullptr) return;
    // The buddy gives the field its labelled-by relation; the label's text stays as shown.
    const QString labelText = LabelText(*label);
    label->setBuddy(widget);
    label->setText(LabelShown(labelText, *label));
}

void QtUi::DoSetText(int id, const std::u16string& text) {
    auto found = controls_.find(id);
    if (found == controls_.end()) return;
    const QString value = QString::fromStdU16String(text);
    QWidget* widget = found->second.widget;
    switch (found->second.kind) {
        case ControlKind::PushButton:
            static_cast<QPushButton*>(widget)->setText(value);
            break;
        case ControlKind::Input:
            static_cast<QLineEdit*>(widget)->setText(value);
            break;
        case ControlKind::Label: {
            auto* label = static_cast<QLabel*>(widget);
            label->setText(LabelShown(value, *label));
            break;
        }
        default:
            break;
    }
}

std::u16string QtUi::DoGetText(int id) {
    auto found = controls_.find(id);
    if (found == controls_.end()) return {};
    QWidget* widget = found->second.widget;
    switch (found->second.kind) {
        case ControlKind::PushButton:
            return static_cast<QPushButton*>(widget)->text().toStdU16String();
        case ControlKind::Input:
            return static_cast<QLineEdit*>(widget)->text().toStdU16String();
        case ControlKind::Label:
            return LabelText(*static_cast<QLabel*>(widget)).toStdU16String();
        case ControlKind::DropDownList:
            return static_cast<QComboBox*>(widget)->currentText().toStdU16String();
        default:
            return {};
    }
}

std::intptr_t QtUi::DoGetState(int id) {
    if (auto* combo = Find<QComboBox>(id, ControlKind::DropDownList)) return combo->currentIndex();
    if (auto* list = Find<QTableWidget>(id, ControlKind::ReportList)) {
        const QModelIndexList rows = list->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    return -1;
}

void QtUi::DoSetState(int id, std::intptr_t index) {
    if (auto* combo = Find<QComboBox>(id, ControlKind::DropDownList)) {
        combo->setCurrentIndex(static_cast<int>(index));
        return;
    }
    if (auto* list = Find<QTableWidget>(id, ControlKind::ReportList)) {
        list->clearSelection();
        if (index >= 0) list->selectRow(static_cast<int>(index));
    }
}

std::intptr_t QtUi::DoItemCount(int id) {
    if (auto* combo = Find<QComboBox>(id, ControlKind::DropDownList)) return combo->count();
    if (auto* list = Find<QTableWidget>(id, ControlKind::ReportList)) return list->rowCount();
    return 0;
}

void QtUi::DoAddItem(int id, const std::u16string& text) {
    if (auto* combo = Find<QComboBox>(id, ControlKind::DropDownList)) {
        // Adding selects nothing; Qt would select the first entry of an empty list.
        const int selected = combo->currentIndex();
        combo->addItem(QString::fromStdU16String(text));
        if (combo->currentIndex() != selected) combo->setCurrentIndex(selected);
        return;
    }
    auto* list = Find<QTableWidget>(id, ControlKind::ReportList);
    if (list == nullptr) return;
    const int row = list->rowCount();
    list->insertRow(row);
    const std::vector<std::u16string> cells = ColumnCells(id, text);
    for (std::size_t column = 0; column < cells.size(); ++column) {
        list->setItem(row, int(column),
                      new QTableWidgetItem(QString::fromStdU16String(cells[column])));
    }
}

void QtUi::DoRemoveItem(int id, std::intptr_t index) {
    if (auto* combo = Find<QComboBox>(id, ControlKind::DropDownList)) {
        combo->removeItem(static_cast<int>(index));
        return;
    }
    if (auto* list = Find<QTableWidget>(id, ControlKind::ReportList))
        list->removeRow(static_cast<int>(index));
}

void QtUi::DoRemoveAllItems(int id) {
    if (auto* combo = Find<QComboBox>(id, ControlKind::DropDownList)) {
        combo->clear();
        return;
    }
    if (auto* list = Find<QTableWidget>(id, ControlKind::ReportList)) list->setRowCount(0);
}

void QtUi::DoSetEnabled(int id, bool enabled) {
    QWidget* widget = Control(id);
    if (widget == nullptr) return;
    widget->setEnabled(enabled);
}
