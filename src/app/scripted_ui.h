// SPDX-License-Identifier: GPL-3.0-or-later
// The scripted in-memory back end: keeps every control's full state and a clipboard text,
// records every message box, pause and file dialog, answers the dialogs from a queue, and
// takes its events from a queue of steps (then from an optional source), so whole sessions
// run in tests and in the headless driver.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/ui_services.h"

struct ScriptedControl {
    int id = -1;
    ControlKind kind = ControlKind::Label;
    int parent = MainWindowParent;
    int x = 0, y = 0, width = 0, height = 0;
    Alignment alignment = Alignment::Left;
    int creationOrder = 0;  // 0-based; also the Tab order
    std::u16string text;
    bool enabled = true;
    std::vector<std::u16string> items;  // item texts as added, the only copy kept
    // The texts of the rows last removed all at once: a refill (the usual next step) writes
    // into their room instead of allocating every row anew. Not part of what is shown.
    std::vector<std::u16string> spareItems;
    std::size_t spareItemsUsed = 0;
    std::intptr_t selected = -1;
    std::vector<std::pair<std::u16string, int>> columns;  // header text, width
    std::u16string tooltip;
    // As last set by SetAccessibleText; "" leaves the control's own text as its name.
    std::u16string accessibleName;
    std::u16string accessibleDescription;
    int accessibleLabel = -1;  // the label beside the control, -1 for none
    bool hasPicture = false;
    int pictureWidth = 0;  // the picture's own size and depth, as last set
    int pictureHeight = 0;
    int pictureBits = 0;

    // Report list: each item's RowCells (built on request, so that filling a long list
    // stores every row once); empty for other kinds.
    std::vector<std::vector<std::u16string>> cells() const;
};

struct RecordedMessage {
    std::u16string title;
    std::u16string text;
    bool fatal = false;
};

struct RecordedPause {
    int milliseconds = 0;
    std::map<int, std::u16string> texts;  // every control's text during the pause, by id
    // The text control id showed during the pause; "" for a control that did not exist.
    std::u16string TextOf(int id) const;
};

class ScriptedUi : public UiServices {
  public:
    // A scripted step: applied to the controls when the loop takes it, then its event is
    // delivered (a close request, a control or a key event).
    struct Step {
        std::function<void(ScriptedUi&)> apply;
        UiEvent event;
    };

    // --- UiServices
    void Pause(int milliseconds) override;

    // --- Scripting: each queues one step.
    void QueueClick(int id);                             // any event of the control
    void QueueText(int id, const std::u16string& text);  // set the text, then its event
    void QueueSelect(int id, std::intptr_t index);       // select a row, then its event
    // The key event a back end raises for a command while control id (-1: none) has the
    // focus; the focus rule (CommandForKey) is taken as already applied.
    void QueueKey(int id, UserCommand command);
    // The context menu opened and the item at this position chosen.
    void QueueMenu(std::size_t item);
    void QueueClose();
    // The window becomes the active window again.
    void QueueActivate();

    // --- Inspection
    bool HasControl(int id) const { return controls.count(id) != 0; }
    ScriptedControl& Control(int id);  // asserts that the control exists
    // The text a drop-down list shows: its selected item, "" when none.
    std::u16string ShownText(int id);

    bool windowOpen = false;
    bool windowClosed = false;  // CloseWindow was called
    int windowNumber = -1;
    int clientWidth = 0;
    int clientHeight = 0;
    std::u16string title;
    std::u16string clipboard;         // the system clipboard's text
    bool desktopPrefersDark = false;  // what DesktopPrefersDark answers
    int desktopQuestions = 0;         // how often the desktop's colours were asked for
    ColourScheme colourScheme = ColourScheme::Light;  // as last set
    std::vector<std::u16string> openedFiles;          // in the order they were handed over
    // The answers of the next file dialogs, the first first (nullopt: cancelled); a dialog
    // with none left is cancelled. Every dialog shown is recorded.
    std::deque<std::optional<std::u16string>> fileAnswers;
    std::vector<OpenFileRequest> fileDialogs;
    std::map<int, ScriptedControl> controls;
    std::vector<RecordedMessage> messages;
    std::vector<RecordedPause> pauses;
    std::deque<Step> steps;
    // Asked for the next step when the queue is empty; returning false means close request.
    // Without a source an empty queue is a close request.
    std::function<bool(Step&)> stepSource;
    // Called as each box or pause happens (the headless driver prints them).
    std::function<void(const RecordedMessage&)> onMessage;
    std::function<void(const RecordedPause&)> onPause;
    std::function<void(const std::u16string& path)> onOpen;

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
    bool DoIsWindowActive() override { return windowOpen; }
    void DoShowMessageBox(const std::u16string& title, const std::u16string& text, bool fatal,
                          bool ownedByWindow) override;
    void DoCloseWindow() override;
    bool DoDesktopPrefersDark() override;
    void DoSetColourScheme(ColourScheme scheme) override { colourScheme = scheme; }

  private:
    int nextCreationOrder_ = 0;
};
