// The Qt 6 Widgets back end: one fixed-size window, its controls by numeric id, a queue of
// control events filled by signal lambdas and drained by the program's own loop.
// What the controls mean and when they change is the program's business, not this file's.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>

#include "app/ui_services.h"

class QApplication;
class QMessageBox;
class QWidget;

// Style, font and icon of the whole application; call once after QApplication exists.
void PrepareApplication(QApplication& application);

class QtUi : public UiServices {
  public:
    QtUi();
    ~QtUi() override;
    QtUi(const QtUi&) = delete;
    QtUi& operator=(const QtUi&) = delete;

    // --- UiServices
    bool OpenWindow(int windowNumber, int clientWidth, int clientHeight,
                    const std::u16string& title) override;
    void CreateControl(int id, ControlKind kind, int parent, int x, int y, int width, int height,
                       const std::u16string& text, Alignment alignment) override;
    void AddColumn(int id, const std::u16string& header, int width) override;
    void SetPicture(int id, const Picture& picture) override;
    void SetTooltip(int id, const std::u16string& text) override;
    void SetText(int id, const std::u16string& text) override;
    std::u16string GetText(int id) override;
    std::intptr_t GetState(int id) override;
    void SetState(int id, std::intptr_t index) override;
    void AddItem(int id, const std::u16string& text) override;
    void RemoveItem(int id, std::intptr_t index) override;
    void RemoveAllItems(int id) override;
    void SetEnabled(int id, bool enabled) override;
    UiEvent WaitForEvent() override;
    void ShowMessageBox(const std::u16string& title, const std::u16string& text,
                        bool fatal) override;
    void Pause(int milliseconds) override;
    void CloseWindow() override;

    // --- Used by the widgets' signal lambdas: queue an event raised by the user.
    void PushControlEvent(int id);
    void PushCloseRequest();

    // --- Inspection and test hooks (the program itself uses none of them).
    QWidget* Window() const { return window_; }
    QWidget* Control(int id) const;  // nullptr when no such control exists
    // Called whenever the loop is about to wait with nothing queued.
    std::function<void()> onIdle;
    // Called once the box is on screen; the box closes when the hook accepts it.
    std::function<void(QMessageBox&)> onMessageBox;
    // Called after the repaint, before the sleep of a pause.
    std::function<void(int milliseconds)> onPause;

  private:
    struct ControlRecord {
        QWidget* widget = nullptr;
        ControlKind kind = ControlKind::Label;
    };
    QWidget* ParentWidget(int parent) const;
    // nullptr unless the control exists and is of the kind asked for.
    template <typename Widget>
    Widget* Find(int id, ControlKind kind) const;
    void Centre();

    std::deque<UiEvent> events_;
    std::map<int, ControlRecord> controls_;
    QWidget* window_ = nullptr;
    QWidget* lastFocusable_ = nullptr;
    // Above zero while the program itself changes a control: changes it makes are no events.
    int programChanging_ = 0;
    friend struct ProgramChange;
};

// Marks a change the program makes itself: the signals it causes queue no event, as the
// platform lists do not report changes made by their owner.
struct ProgramChange {
    explicit ProgramChange(QtUi& ui) : ui_(ui) { ++ui_.programChanging_; }
    ~ProgramChange() { --ui_.programChanging_; }
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;
    QtUi& ui_;
};
