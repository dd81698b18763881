// SPDX-License-Identifier: GPL-3.0-or-later
// The user-interface services the program relies on, addressed by numeric control id, and
// the rules every back end (scripted, Qt, Win32) follows alike: how a row splits into cells,
// selections, how far a drop-down list opens, which pictures can be shown, which key is a
// command with the focus where, where a menu opened by a key appears, that a disabled menu
// item raises nothing, who owns a message box, what a screen reader is told about a control,
// and that a change the program makes itself raises no event. Nothing outside a back end sees
// a toolkit. Which colours the program wants is the program's rule; a back end only tells
// what the desktop prefers and shows the colours it is given.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A decoded picture: rows top-down, 3 bytes per pixel (R, G, B) or 4 (R, G, B, A).
struct Picture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;  // 24 or 32 (32 = with alpha); 0 = no picture
    std::vector<std::uint8_t> pixels;
};

enum class ControlKind {
    PushButton,
    Panel,         // plain container with a one-pixel line border
    DropDownList,  // not editable; DropDownOpenedHeight including the closed field when open
    ReportList,    // column headers, single whole-row selection, grid lines
    Input,         // single-line edit, scrolls sideways
    Label,
    Picture,
};

enum class Alignment { Left, Centre, Right };

// The colours the window, its controls and the boxes are shown in.
enum class ColourScheme { Light, Dark };

// Parent id of the controls that sit directly on the main window.
inline constexpr int MainWindowParent = -1;
// An opened drop-down list reaches this far down, its closed field included.
inline constexpr int DropDownOpenedHeight = 350;

// What the user asks the program to do by a key; None leaves a key to the control.
enum class UserCommand {
    None,
    Save,
    Delete,
    Undo,
    Redo,
    Copy,
    Cut,
    Paste,
};

// A key press as a back end reads it from its toolkit, before the focus rule.
enum class KeyName { Other, S, Z, Y, C, X, V, Delete };
struct KeyStroke {
    KeyName key = KeyName::Other;
    bool control = false;
    bool shift = false;
    bool alt = false;  // Alt, AltGr or a system key: never part of a command
};

// One item of the main window's context menu; choosing it raises its position in the menu.
// A disabled item is shown greyed and raises nothing.
struct MenuItem {
    std::u16string text;
    bool enabled = true;
};

// What an open-file dialog offers: its caption and the kind of file it lists first (e.g.
// "CSV files" and "*.csv"); every file can be chosen too.
struct OpenFileRequest {
    std::u16string title;
    std::u16string filterName;
    std::u16string pattern;
};

struct UiEvent {
    // Activated: the main window became the active window again (the user came back to it).
    enum class Kind { CloseRequest, Control, Command, MenuChoice, Activated, Other };
    Kind kind = Kind::Other;
    // For Kind::Control; for Kind::Command the focused control, -1 for none.
    int controlId = -1;
    UserCommand command = UserCommand::None;  // for Kind::Command
    std::size_t menuItem = 0;                 // for Kind::MenuChoice: the item's position
};

// What a screen reader announces for a control besides its role and value. An empty name
// leaves the control's own text as its name (buttons, labels); labelId is the label that
// stands beside an input field, or -1.
struct AccessibleText {
    std::u16string name;
    std::u16string description;
    int labelId = -1;
};

// The cells a report-list row shows: its text split at each line feed.
std::vector<std::u16string> RowCells(std::u16string_view rowText);

// Places on the screen, in the toolkit's pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
};
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
// A picture a back end can show: a size, 24 or 32 bits per pixel, and all its pixels.
bool IsUsablePicture(const Picture& picture);
// The command of a key press with the focus on a control of that kind (nullopt: no control
// has the focus). Every back end asks this before it takes a key away from a control: in an
// input field only Ctrl+S is a command, Delete, Ctrl+C and Ctrl+X only on the report list,
// Ctrl+V, Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z anywhere but in an input field.
UserCommand CommandForKey(std::optional<ControlKind> focused, const KeyStroke& stroke);

// The program calls the public operations; a back end implements the protected ones and
// hands up the events its user causes through RaiseEvent (key presses through OfferKey).
// While the program changes a control or the clipboard, the control and key events the
// toolkit raises meanwhile are dropped here, so that every back end reports only what the
// user did.
class UiServices {
  public:
    virtual ~UiServices() = default;

    // Opens and shows the main window (system menu, close and minimise boxes, no sizing
    // border, centred). False when the window cannot be created.
    bool OpenWindow(int windowNumber, int clientWidth, int clientHeight,
                    const std::u16string& title);
    // parent is MainWindowParent or the id of a panel created earlier; x and y are relative
    // to the parent's inner area. Creation order is the Tab order.
    void CreateControl(int id, ControlKind kind, int parent, int x, int y, int width, int height,
                       const std::u16string& text, Alignment alignment = Alignment::Left);
    void AddColumn(int id, const std::u16string& header, int width);
    // The picture control takes the picture's own pixel size.
    void SetPicture(int id, const Picture& picture);
    void SetTooltip(int id, const std::u16string& text);
    // The accessible name and description of a control that exists, and the label that
    // stands beside it (which must exist too). The Tab order stays as created.
    void SetAccessibleText(int id, const AccessibleText& text);

    void SetText(int id, const std::u16string& text);
    std::u16string GetText(int id) { return DoGetText(id); }
    // Selected entry or row, -1 when none. Setting -1 or an index past the end selects nothing.
    std::intptr_t GetState(int id) { return DoGetState(id); }
    void SetState(int id, std::intptr_t index);
    // Appends at the end; on the report list the text is split into RowCells.
    void AddItem(int id, const std::u16string& text);
    // An index outside the items changes nothing. The selection follows its row; a removed
    // selected row leaves nothing selected.
    void RemoveItem(int id, std::intptr_t index);
    void RemoveAllItems(int id);
    void SetEnabled(int id, bool enabled);

    // The system clipboard as plain text; "" when it holds no text.
    std::u16string GetClipboardText() { return DoGetClipboardText(); }
    void SetClipboardText(const std::u16string& text);
    // The context menu of the main window (right mouse button, the menu key, Shift+F10; the
    // input fields keep their own editing menu): choosing an item raises a MenuChoice event.
    void SetContextMenu(const std::vector<MenuItem>& items) { menu_ = items; }
    const std::vector<MenuItem>& ContextMenu() const { return menu_; }
    // Greys an item out (false) or makes it choosable again; back ends read it whenever they
    // show the menu. A position past the items changes nothing.
    void SetMenuItemEnabled(std::size_t item, bool enabled);
    // A modal dialog, owned by the main window, in which the user picks an existing file:
    // its path as the system takes it, nullopt when the dialog was cancelled. The program's
    // working directory stays as it was.
    std::optional<std::u16string> ChooseFileToOpen(const OpenFileRequest& request);
    // Hands a file to the desktop's program for its kind (a browser, a spreadsheet, a
    // calendar). False when nothing could be started; the file stays as it is either way.
    bool OpenFile(const std::u16string& path) { return DoOpenFile(path); }

    // Whether the desktop asks programs for dark colours; false when it cannot tell. Answers
    // within about a second, whatever the desktop does.
    bool DesktopPrefersDark() { return DoDesktopPrefersDark(); }
    // The colours from now on, before the window is opened or while it is open. Light is how
    // every back end looks until told otherwise.
    void SetColourScheme(ColourScheme scheme);

    // Blocks until the close request, a control or a key event arrives; other events may come
    // too.
    UiEvent WaitForEvent();
    // Modal box: caption, text, one OK button, no icon, owned by the main window while that
    // is the active window (else by none, keeping the program's windows from input all the
    // same). `fatal` only tells the back end that the program ends after it (the headless
    // driver reports it); the box looks the same.
    void ShowMessageBox(const std::u16string& title, const std::u16string& text, bool fatal);
    // Repaints the window first, then blocks the thread; no event is handled meanwhile.
    virtual void Pause(int milliseconds) = 0;
    // The orderly end: destroys the window and every control, drops waiting events. Safe
    // without a window.
    void CloseWindow();

  protected:
    // Every event the user caused, in order. Control and key events raised while the program
    // itself changes a control or the clipboard are dropped, and so is the choice of a
    // disabled menu item.
    void RaiseEvent(const UiEvent& event);
    // The user chose the item at this position of the context menu.
    void RaiseMenuChoice(std::size_t item);
    // The user came back to the main window from another program's window.
    void RaiseActivation();
    // The main window became the active window, as a toolkit reports it (a back end leaves
    // out its return from a box or menu of the program's own where it can tell): the first
    // time after the window opened is its opening, every later time a return.
    void NoteWindowActivated();
    // A key pressed while control focusedId (of kind focusedKind; -1 and nullopt for none)
    // has the focus. True when it is a command: the event is raised and the back end must
    // keep the key from the control.
    bool OfferKey(int focusedId, std::optional<ControlKind> focusedKind, const KeyStroke& stroke);
    bool HasWaitingEvents() const { return !events_.empty(); }
    // Waits for the user (or the script) until at least one more event was raised.
    virtual void WaitForMoreEvents() = 0;
    // The cells of a report-list row as its columns show them: one per column, empty where
    // the text has fewer parts, the parts beyond the last column dropped.
    std::vector<std::u16string> ColumnCells(int id, std::u16string_view rowText) const;
    // A context menu opened by a key (the menu key, Shift+F10) appears at the centre of the
    // control with the focus, or of the window when none has it.
    static ScreenPoint KeyboardMenuPoint(const ScreenRect& focusedOrWindow);

    virtual bool DoOpenWindow(int windowNumber, int clientWidth, int clientHeight,
                              const std::u16string& title) = 0;
    virtual void DoCreateControl(int id, ControlKind kind, int parent, int x, int y, int width,
                                 int height, const std::u16string& text, Alignment alignment) = 0;
    virtual void DoAddColumn(int id, const std::u16string& header, int width) = 0;
    virtual void DoSetPicture(int id, const Picture& picture) = 0;
    virtual void DoSetTooltip(int id, const std::u16string& text) = 0;
    virtual void DoSetAccessibleText(int id, const AccessibleText& text) = 0;
    virtual void DoSetText(int id, const std::u16string& text) = 0;
    virtual std::u16string DoGetText(int id) = 0;
    virtual std::intptr_t DoGetState(int id) = 0;
    // index is a row of the control or -1 (select nothing).
    virtual void DoSetState(int id, std::intptr_t index) = 0;
    // The number of rows of a drop-down list or report list; 0 for other controls.
    virtual std::intptr_t DoItemCount(int id) = 0;
    virtual void DoAddItem(int id, const std::u16string& text) = 0;
    // index is a row of the control; the selection after it moves up with its row.
    virtual void DoRemoveItem(int id, std::intptr_t index) = 0;
    virtual void DoRemoveAllItems(int id) = 0;
    virtual void DoSetEnabled(int id, bool enabled) = 0;
    virtual std::u16string DoGetClipboardText() = 0;
    virtual void DoSetClipboardText(const std::u16string& text) = 0;
    virtual bool DoOpenFile(const std::u16string& path) = 0;
    virtual std::optional<std::u16string> DoChooseFileToOpen(const OpenFileRequest& request) = 0;
    // The main window exists and is the active window of the desktop.
    virtual bool DoIsWindowActive() = 0;
    // ownedByWindow: the box belongs to the main window, else to no window.
    virtual void DoShowMessageBox(const std::u16string& title, const std::u16string& text,
                                  bool fatal, bool ownedByWindow) = 0;
    virtual void DoCloseWindow() = 0;
    virtual bool DoDesktopPrefersDark() = 0;
    // The window and controls that exist change at once; those made later follow.
    virtual void DoSetColourScheme(ColourScheme scheme) = 0;

  private:
    friend struct ProgramChange;
    std::deque<UiEvent> events_;
    int programChanging_ = 0;
    std::map<int, int> columns_;  // report lists: the number of columns added
    std::vector<MenuItem> menu_;
    bool activatedOnce_ = false;  // the window has been active since it opened
};
