// SPDX-License-Identifier: GPL-3.0-or-later
// The few widget subclasses the back end needs (no moc: only virtual overrides), the small
// interface through which they hand the user's doings to the back end, and the conversions
// from the program's pictures and the built-in icon into Qt images. Which events the program
// acts on is decided by the program, not here.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QProxyStyle>
#include <QWidget>

#include "app/ui_services.h"

class QKeyEvent;

// What the widgets tell the back end (QtUi implements it): the user's doings, no more.
class WidgetEvents {
  public:
    // An event of the control with this id.
    virtual void ControlEvent(int id) = 0;
    // The close box, the system menu or Alt+F4.
    virtual void CloseRequest() = 0;
    // A key press delivered to `receiver`: true when it is a command with the focus where it
    // is; it has been raised then and must not reach the control.
    virtual bool KeyPress(QObject* receiver, const QKeyEvent& event) = 0;
    // The context menu asked for at this screen position.
    virtual void ContextMenuAt(const QPoint& screenPosition) = 0;
    // The main window became the active window, not coming back from a window of its own.
    virtual void Activated() = 0;

  protected:
    ~WidgetEvents() = default;
};

// The main window: a close request (close box, system menu, Alt+F4) is queued for the
// program and the window stays; only the program closes it.
class MainWindowWidget : public QWidget {
  public:
    explicit MainWindowWidget(WidgetEvents& ui);

  protected:
    void closeEvent(QCloseEvent* event) override;
    // A right click or the menu key anywhere the controls leave it to the window.
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The window's activation: a return from a window of the program's own (a box, the
    // menu) is no return of the user.
    void changeEvent(QEvent* event) override;

  private:
    WidgetEvents& ui_;
    bool leftForOwnWindow_ = false;
};

// A plain container with a one-pixel line border; its children sit in the inner area.
class PanelFrame : public QFrame {
  public:
    explicit PanelFrame(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The drop-down list: raises events on focus and when its list opens or closes, and keeps
// the opened list, closed field included, within a fixed height.
class DropDownList : public QComboBox {
  public:
    DropDownList(WidgetEvents& ui, int id, QWidget* parent);
    void showPopup() override;
    void hidePopup() override;

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    // Focus moves caused by the list's own popup are no focus change of the control.
    bool IsPopupFocusMove(QFocusEvent* event);
    WidgetEvents& ui_;
    int id_;
    bool popupOpen_ = false;
    bool popupJustClosed_ = false;
};

// The single-line input: raises events when it gains or loses the focus.
class InputField : public QLineEdit {
  public:
    InputField(WidgetEvents& ui, int id, QWidget* parent);

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    WidgetEvents& ui_;
    int id_;
};

// Watches the key presses of the window and its controls and keeps those that are commands
// (QtUi::TakeKeyPress decides) from the control; every other key keeps its own meaning.
class KeyCommandFilter : public QObject {
  public:
    KeyCommandFilter(WidgetEvents& ui, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    WidgetEvents& ui_;
};

// Fusion with grid lines in the dialog face colour and lists that drop down below the field.
class VelmoraStyle : public QProxyStyle {
  public:
    VelmoraStyle();
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};

// Gives a drop-down list or a panel the back end's own accessible interface (qt_accessible.cpp),
// which reports the accessible name the program set. Call as the widget is made.
void UseOwnAccessibleInterface(QComboBox& list);
void UseOwnAccessibleInterface(QFrame& panel);

// A deep copy of the program's picture; a picture with alpha stays unpremultiplied RGBA.
QImage PictureToImage(const Picture& picture);
// The program icon in all its built-in sizes.
QIcon ProgramIcon();
