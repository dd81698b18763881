// SPDX-License-Identifier: GPL-3.0-or-later
// The accessible interfaces the Qt back end gives its drop-down lists and panels in place of
// Qt's own: on Linux Qt names a drop-down list after its selected row (leaving the name to a
// label's relation, and ours have no label) and announces a panel as a frame. These take
// the accessible name the program set; a drop-down list's selected row stays readable as its
// text, where a screen reader looks for a drop-down list's value. The rest stays Qt's.
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

#include "app/qt/qt_widgets.h"

namespace {

class DropDownAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit DropDownAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        const QComboBox* list = List();
        if (kind == QAccessible::Value) return list->currentText();
        if (kind == QAccessible::Name) {
            const QString name = list->accessibleName();
            return name.isEmpty() ? list->currentText() : name;
        }
        return QAccessibleWidget::text(kind);
    }

    // The opened list is the one child, as in Qt's own interface.
    int childCount() const override { return List()->view() != nullptr ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        if (index != 0 || List()->view() == nullptr) return nullptr;
        return QAccessible::queryAccessibleInterface(List()->view());
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == List()->view() ? 0 : -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) return;
        QComboBox* list = List();
        if (list->view()->isVisible()) {
            list->hidePopup();
        } else {
            list->showPopup();
        }
    }

    // --- The selected row as read-only text without a caret or selection.
    QString text(int start, int end) const override {
        return List()->currentText().mid(start, end - start);
    }
    int characterCount() const override { return int(List()->currentText().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

  private:
    QComboBox* List() const { return static_cast<QComboBox*>(widget()); }
};

}  // namespace

void UseOwnAccessibleInterface(QComboBox& list) {
    // Registered before anything asks for the interface, so the cache hands out this one.
    QAccessible::registerAccessibleInterface(new DropDownAccessible(&list));
}

void UseOwnAccessibleInterface(QFrame& panel) {
    QAccessible::registerAccessibleInterface(new QAccessibleWidget(&panel, QAccessible::Grouping));
}
