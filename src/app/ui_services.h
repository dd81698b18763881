// The user-interface services the program relies on, addressed by numeric control id.
// Back ends (scripted, Qt, Win32) implement this; nothing outside a back end sees a toolkit.
#pragma once

#include <cstdint>
#include <string>
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
    DropDownList,  // not editable; 350 px including the closed field when open
    ReportList,    // column headers, single whole-row selection, grid lines
    Input,         // single-line edit, scrolls sideways
    Label,
    Picture,
};

enum class Alignment { Left, Centre, Right };

// Parent id of the controls that sit directly on the main window.
inline constexpr int MainWindowParent = -1;

struct UiEvent {
    enum class Kind { CloseRequest, Control, Other };
    Kind kind = Kind::Other;
    int controlId = -1;  // for Kind::Control
};

class UiServices {
  public:
    virtual ~UiServices() = default;

    // Opens and shows the main window (system menu, close and minimise boxes, no sizing
    // border, centred). False when the window cannot be created.
    virtual bool OpenWindow(int windowNumber, int clientWidth, int clientHeight,
                            const std::u16string& title) = 0;
    // parent is MainWindowParent or the id of a panel created earlier; x and y are relative
    // to the parent's inner area. Creation order is the Tab order.
    virtual void CreateControl(int id, ControlKind kind, int parent, int x, int y, int width,
                               int height, const std::u16string& text,
                               Alignment alignment = Alignment::Left) = 0;
    virtual void AddColumn(int id, const std::u16string& header, int width) = 0;
    // The picture control takes the picture's own pixel size.
    virtual void SetPicture(int id, const Picture& picture) = 0;
    virtual void SetTooltip(int id, const std::u16string& text) = 0;

    virtual void SetText(int id, const std::u16string& text) = 0;
    virtual std::u16string GetText(int id) = 0;
    // Selected entry or row, -1 when none. Setting -1 or an index past the end selects nothing.
    virtual std::intptr_t GetState(int id) = 0;
    virtual void SetState(int id, std::intptr_t index) = 0;
    // Appends at the end; on the report list the text is split into cells at each line feed.
    virtual void AddItem(int id, const std::u16string& text) = 0;
    virtual void RemoveItem(int id, std::intptr_t index) = 0;
    virtual void RemoveAllItems(int id) = 0;
    virtual void SetEnabled(int id, bool enabled) = 0;

    // Blocks until the close request or a control event arrives; other events are consumed.
    virtual UiEvent WaitForEvent() = 0;
    // Modal box: caption, text, one OK button, no icon. `fatal` only tells the back end that
    // the program ends after it (the headless driver reports it); the box looks the same.
    virtual void ShowMessageBox(const std::u16string& title, const std::u16string& text,
                                bool fatal) = 0;
    // Repaints the window first, then blocks the thread; no event is handled meanwhile.
    virtual void Pause(int milliseconds) = 0;
    // The orderly end: destroys the window and every control. Safe without a window.
    virtual void CloseWindow() = 0;
};

// The back end the program runs on; set by RunProgram (and by tests) before any use.
UiServices& CurrentUi();
void SetCurrentUi(UiServices* ui);
