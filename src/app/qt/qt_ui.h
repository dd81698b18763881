// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt 6 Widgets back end: one fixed-size window, its controls by numeric id, the signal
// lambdas and the key filter that hand the user's events up to the program's own loop, and
// the system clipboard; the colours are qt_colours.cpp's. The event queue and the rules every
// back end keeps are UiServices'; what the controls mean and when they change is the
// program's business.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/qt/qt_widgets.h"
#include "app/ui_services.h"

class QApplication;
class QFileDialog;
class QMenu;
class QMessageBox;

// Style, font and icon of the whole application; call once after QApplication exists.
void PrepareApplication(QApplication& application);

class QtUi : public UiServices, private WidgetEvents {
  public:
    QtUi();
    ~QtUi() override;
    QtUi(const QtUi&) = delete;
    QtUi& operator=(const QtUi&) = delete;

    // --- UiServices
    void Pause(int milliseconds) override;

    // --- Inspection and test hooks (the program itself uses none of them).
    QWidget* Window() const { return window_; }
    QWidget* Control(int id) const;  // nullptr when no such control exists
    // The close request, as the close box raises it.
    void RequestClose() { CloseRequest(); }
    // The activation, as the window system reports it.
    void RequestActivation() { Activated(); }
    // Called whenever the loop is about to wait with nothing queued.
    std::function<void()> onIdle;
    // Called once the box is on screen; the box closes when the hook accepts it.
    std::function<void(QMessageBox&)> onMessageBox;
    // Called after the repaint, before the sleep of a pause.
    std::function<void(int milliseconds)> onPause;
    // Called with the menu just before it is shown; it closes when the hook closes it.
    std::function<void(QMenu&)> onContextMenu;
    // Called once a file dialog is on screen; it closes when the hook accepts or rejects it.
    std::function<void(QFileDialog&)> onFileDialog;

  protected:
    void WaitForMoreEvents() override;
    bool DoOpenWindow(int windowNumber, int clientWidth, int clientHeight,
                      const std::u16string& title) override;
    void DoCreateControl(int id, ControlKind kind, int parent, int x, int y, int width, int height,
                         const std::u16string& text, Alignment alignment) override;
    void DoAddColumn(int id, const std::u16string& header, int width) override;
    void DoSetPicture(int id, const Picture& picture) override;
    void DoSetTooltip(int id, const std::u16string& text) override;
    void DoSetAccessibleText(int id, const AccessibleText& text) override;
    void DoSetText(int id, const std::u16string& text) override;
    std::u16string DoGetText(int id) override;
    std::intptr_t DoGetState(int id) override;
    void DoSetState(int id, std::intptr_t index) override;
    std::intptr_t DoItemCount(int id) override;
    void DoAddItem(int id, const std::u16string& text) override;
    void DoRemoveItem(int id, std::intptr_t index) override;
    void DoRemoveAllItems(int id) override;
    void DoSetEnabled(int id, bool enabled) override;
    std::u16string DoGetClipboardText() override;
    void DoSetClipboardText(const std::u16string& text) override;
    bool DoOpenFile(const std::u16string& path) override;
    std::optional<std::u16string> DoChooseFileToOpen(const OpenFileRequest& request) override;
    bool DoIsWindowActive() override;
    void DoShowMessageBox(const std::u16string& title, const std::u16string& text, bool fatal,
                          bool ownedByWindow) override;
    void DoCloseWindow() override;
    // Both in qt_colours.cpp.
    bool DoDesktopPrefersDark() override;
    void DoSetColourScheme(ColourScheme scheme) override;

  private:
    // --- WidgetEvents
    void ControlEvent(int id) override;
    void CloseRequest() override;
    bool KeyPress(QObject* receiver, const QKeyEvent& event) override;
    // Shows the context menu there and raises the command of the item chosen, if any.
    void ContextMenuAt(const QPoint& screenPosition) override;
    void Activated() override;

    struct ControlRecord {
        QWidget* widget = nullptr;
        ControlKind kind = ControlKind::Label;
    };
    QWidget* ParentWidget(int parent) const;
    // nullptr unless the control exists and is of the kind asked for.
    template <typename Widget>
    Widget* Find(int id, ControlKind kind) const;
    void Centre();

    std::map<int, ControlRecord> controls_;
    QWidget* window_ = nullptr;
    QWidget* lastFocusable_ = nullptr;
    QObject* keyFilter_ = nullptr;  // owned by the window
};
