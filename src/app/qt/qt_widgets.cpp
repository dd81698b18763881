// SPDX-License-Identifier: GPL-3.0-or-later
// Widget subclasses, the proxy style, and the picture and icon conversions of the Qt back end.
// What becomes of the events they pass on is the back end's (qt_ui.cpp) and the program's.
#include "app/qt/qt_widgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <algorithm>
#include <cstring>

#include "app/qt/qt_icon_data.h"

MainWindowWidget::MainWindowWidget(WidgetEvents& ui) : QWidget(nullptr), ui_(ui) {}

void MainWindowWidget::closeEvent(QCloseEvent* event) {
    ui_.CloseRequest();
    event->ignore();
}

void MainWindowWidget::contextMenuEvent(QContextMenuEvent* event) {
    ui_.ContextMenuAt(event->globalPos());
    event->accept();
}

void MainWindowWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (!isActiveWindow()) {
        // Another window of this program (a box, a menu) has taken over, or none has.
        leftForOwnWindow_ = QApplication::activeWindow() != nullptr ||
                            QApplication::activePopupWidget() != nullptr ||
                            QApplication::activeModalWidget() != nullptr;
        return;
    }
    if (!leftForOwnWindow_) ui_.Activated();
    leftForOwnWindow_ = false;
}

PanelFrame::PanelFrame(QWidget* parent) : QFrame(parent) {
    UseOwnAccessibleInterface(*this);
    // The border is painted by hand so it is exactly one pixel wide in every style.
    setFrameStyle(QFrame::NoFrame);
    setContentsMargins(1, 1, 1, 1);
}

void PanelFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

DropDownList::DropDownList(WidgetEvents& ui, int id, QWidget* parent)
    : QComboBox(parent), ui_(ui), id_(id) {
    UseOwnAccessibleInterface(*this);
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

void DropDownList::showPopup() {
    // Rows that fit below the closed field; the list scrolls for the rest.
    const int rowHeight = std::max(1, view()->sizeHintForRow(0));
    const int room = DropDownOpenedHeight - height() - 4;
    setMaxVisibleItems(std::max(1, room / rowHeight));
    popupOpen_ = true;
    popupJustClosed_ = false;
    QComboBox::showPopup();
    QWidget* popup = view()->window();
    if (popup != nullptr && popup != window() &&
        popup->height() > DropDownOpenedHeight - height()) {
        popup->resize(popup->width(), DropDownOpenedHeight - height());
    }
    ui_.ControlEvent(id_);
}

void DropDownList::hidePopup() {
    QComboBox::hidePopup();
    popupOpen_ = false;
    popupJustClosed_ = true;
    ui_.ControlEvent(id_);
}

bool DropDownList::IsPopupFocusMove(QFocusEvent* event) {
    // Platforms that activate the popup window move the focus while it is open and once
    // more as it closes; the field keeps the focus as far as the user can tell.
    if (popupOpen_ || event->reason() == Qt::PopupFocusReason) return true;
    const bool closing = popupJustClosed_ && event->reason() == Qt::ActiveWindowFocusReason;
    popupJustClosed_ = false;
    return closing;
}

void DropDownList::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    if (!IsPopupFocusMove(event)) ui_.ControlEvent(id_);
}

void DropDownList::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    if (!IsPopupFocusMove(event)) ui_.ControlEvent(id_);
}

InputField::InputField(WidgetEvents& ui, int id, QWidget* parent)
    : QLineEdit(parent), ui_(ui), id_(id) {}

void InputField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::PopupFocusReason) ui_.ControlEvent(id_);
}

void InputField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason) ui_.ControlEvent(id_);
}

KeyCommandFilter::KeyCommandFilter(WidgetEvents& ui, QObject* parent) : QObject(parent), ui_(ui) {}

bool KeyCommandFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    return ui_.KeyPress(watched, *static_cast<QKeyEvent*>(event));
}

VelmoraStyle::VelmoraStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int VelmoraStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == SH_Table_GridLineColor) {
        const QPalette palette = option != nullptr ? option->palette : standardPalette();
        return static_cast<int>(palette.color(QPalette::Window).rgba());
    }
    if (hint == SH_ComboBox_Popup) return 0;
    // Message boxes carry no icon, on their buttons neither.
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QImage PictureToImage(const Picture& picture) {
    if (!IsUsablePicture(picture)) return {};
    const bool alpha = picture.bitsPerPixel == 32;
    const int bytesPerPixel = alpha ? 4 : 3;
    const std::size_t rowBytes = std::size_t(picture.width) * bytesPerPixel;
    QImage image(picture.width, picture.height,
                 alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    for (int row = 0; row < picture.height; ++row) {
        std::memcpy(image.scanLine(row), picture.pixels.data() + rowBytes * row, rowBytes);
    }
    return image;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const EmbeddedIcon& size : EmbeddedIcons()) {
        QPixmap pixmap;
        if (pixmap.loadFromData(size.data, static_cast<uint>(size.size), "PNG"))
            icon.addPixmap(pixmap);
    }
    return icon;
}
