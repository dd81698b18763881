// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing of the headless driver's command lines and the wiring of the scripted back end
// to a line reader and writer. JSON formatting is in headless_json.cpp.
#include "app/headless_protocol.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "app/context_menu.h"
#include "app/control_ids.h"
#include "platform/unicode.h"

namespace {

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

// Optional "-" then 1 to 18 decimal digits; nothing else.
bool ParseNumber(std::string_view word, long long& value) {
    bool negative = !word.empty() && word[0] == '-';
    if (negative) word.remove_prefix(1);
    if (word.empty() || word.size() > 18) return false;
    long long result = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        result = result * 10 + (c - '0');
    }
    value = negative ? -result : result;
    return true;
}

HeadlessCommand Error(std::string text) {
    HeadlessCommand command;
    command.kind = HeadlessCommand::Kind::Error;
    command.error = std::move(text);
    return command;
}

// The control named by the word, or an error text.
bool FindControl(std::string_view word, ScriptedUi& ui, int& id, std::string& error) {
    long long value = 0;
    if (!ParseNumber(word, value)) {
        error = "malformed control id: " + std::string(word);
        return false;
    }
    if (value < 0 || value > 1000000 || !ui.HasControl(int(value))) {
        error = "unknown control id: " + std::string(word);
        return false;
    }
    id = int(value);
    return true;
}

HeadlessCommand ControlEvent(int id, std::function<void(ScriptedUi&)> apply) {
    HeadlessCommand command;
    command.kind = HeadlessCommand::Kind::Step;
    command.step.apply = std::move(apply);
    command.step.event = {UiEvent::Kind::Control, id};
    return command;
}

// "text ID" then, after exactly one space, the text verbatim (trailing blanks included).
HeadlessCommand ParseText(std::string_view rest, ScriptedUi& ui) {
    std::size_t space = rest.find(' ');
    std::string_view idWord = rest.substr(0, space);
    int id = -1;
    std::string error;
    if (!FindControl(idWord, ui, id, error)) return Error(error);
    if (ui.Control(id).kind != ControlKind::Input) {
        return Error("not an input: " + std::string(idWord));
    }
    std::u16string text;
    if (space != std::string_view::npos) text = Utf8ToUtf16(rest.substr(space + 1));
    return ControlEvent(id, [id, text](ScriptedUi& target) { target.SetText(id, text); });
}

// The key names of "key ID KEYS", as a toolkit reports the presses.
struct KeyWord {
    std::string_view word;
    KeyStroke stroke;
};
constexpr KeyWord KeyWords[] = {
    {"ctrl+s", {KeyName::S, true, false, false}},
    {"delete", {KeyName::Delete, false, false, false}},
    {"ctrl+z", {KeyName::Z, true, false, false}},
    {"ctrl+y", {KeyName::Y, true, false, false}},
    {"ctrl+shift+z", {KeyName::Z, true, true, false}},
    {"ctrl+c", {KeyName::C, true, false, false}},
    {"ctrl+x", {KeyName::X, true, false, false}},
    {"ctrl+v", {KeyName::V, true, false, false}},
};

// "key ID KEYS": the press goes through the focus rule every back end uses; a key that is no
// command with that focus stays the control's own, which the scripted controls do not model.
HeadlessCommand ParseKey(const std::vector<std::string_view>& words, ScriptedUi& ui) {
    if (words.size() != 3) return Error("usage: key ID KEYS");
    int id = -1;
    std::string error;
    if (!FindControl(words[1], ui, id, error)) return Error(error);
    const KeyWord* found = nullptr;
    for (const KeyWord& key : KeyWords) {
        if (key.word == words[2]) found = &key;
    }
    if (found == nullptr) return Error("unknown keys: " + std::string(words[2]));
    HeadlessCommand command;
    command.kind = HeadlessCommand::Kind::Step;
    const UserCommand key = CommandForKey(ui.Control(id).kind, found->stroke);
    if (key != UserCommand::None) command.step.event = {UiEvent::Kind::Command, id, key};
    return command;
}

// "clipboard TEXT", TEXT a JSON string literal (blanks around it allowed, as in JSON).
HeadlessCommand ParseClipboard(std::string_view rest) {
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
    if (rest.empty()) return Error("usage: clipboard TEXT");
    std::u16string text;
    std::string error;
    if (!ParseJsonString(rest, text, error)) return Error("malformed clipboard text: " + error);
    HeadlessCommand command;
    command.kind = HeadlessCommand::Kind::Step;
    // Another program put the text there: no event of the window.
    command.step.apply = [text](ScriptedUi& target) { target.clipboard = text; };
    return command;
}

// "menu NAME": the context menu opened and the item of that name chosen; "menu import PATH"
// answers the file dialog the item opens with PATH (after exactly one blank, verbatim), and
// "menu import" alone cancels it. A greyed item cannot be chosen: the driver says so.
HeadlessCommand ParseMenu(std::string_view rest, ScriptedUi& ui) {
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    const std::size_t nameEnd = std::min(rest.find(' '), rest.find('\t'));
    const std::string_view name = rest.substr(0, nameEnd);
    const std::string_view argument =
        nameEnd == std::string_view::npos ? std::string_view() : rest.substr(nameEnd + 1);
    if (name.empty()) return Error("usage: menu " + MenuItemNames());
    const std::intptr_t item = MenuItemNamed(name);
    if (item < 0) return Error("unknown menu item: " + std::string(name));
    const bool asksForFile = MenuItemAsksForFile(std::size_t(item));
    if (!asksForFile && !SplitWords(argument).empty())
        return Error("usage: menu " + MenuItemNames());
    const std::vector<MenuItem>& menu = ui.ContextMenu();
    if (std::size_t(item) < menu.size() && !menu[std::size_t(item)].enabled) {
        HeadlessCommand command;
        command.kind = HeadlessCommand::Kind::Answer;
        command.answer = "{\"disabled\":" + JsonString(Utf8ToUtf16(name)) + "}";
        return command;
    }
    HeadlessCommand command;
    command.kind = HeadlessCommand::Kind::Step;
    if (asksForFile) {
        std::optional<std::u16string> path;
        if (!argument.empty()) path = Utf8ToUtf16(argument);
        command.step.apply = [path](ScriptedUi& target) { target.fileAnswers.push_back(path); };
    }
    command.step.event.kind = UiEvent::Kind::MenuChoice;
    command.step.event.menuItem = std::size_t(item);
    return command;
}

}  // namespace

std::string OpenedJson(std::u16string_view path) {
    return "{\"opened\":" + JsonString(path) + "}";
}

HeadlessCommand ParseHeadlessCommand(std::string_view line, ScriptedUi& ui) {
    constexpr std::string_view TextPrefix = "text ";
    if (line.substr(0, TextPrefix.size()) == TextPrefix) {
        return ParseText(line.substr(TextPrefix.size()), ui);
    }
    constexpr std::string_view ClipboardVerb = "clipboard";
    if (line.substr(0, ClipboardVerb.size()) == ClipboardVerb &&
        (line.size() == ClipboardVerb.size() || line[ClipboardVerb.size()] == ' ' ||
         line[ClipboardVerb.size()] == '\t')) {
        return ParseClipboard(line.substr(ClipboardVerb.size()));
    }
    std::vector<std::string_view> words = SplitWords(line);
    if (words.empty()) return Error("empty line");
    std::string_view verb = words[0];
    HeadlessCommand command;
    if (verb == "dump" || verb == "close") {
        if (words.size() != 1) return Error(std::string(verb) + " takes no arguments");
        command.kind = verb == "dump" ? HeadlessCommand::Kind::Dump : HeadlessCommand::Kind::Close;
        return command;
    }
    if (verb == "activate") {
        if (words.size() != 1) return Error("activate takes no arguments");
        // The user comes back to the window from another program.
        command.kind = HeadlessCommand::Kind::Step;
        command.step.event.kind = UiEvent::Kind::Activated;
        return command;
    }
    if (verb == "click") {
        if (words.size() != 2) return Error("usage: click ID");
        int id = -1;
        std::string error;
        if (!FindControl(words[1], ui, id, error)) return Error(error);
        return ControlEvent(id, nullptr);
    }
    if (verb == "select") {
        if (words.size() != 3) return Error("usage: select ID INDEX");
        int id = -1;
        std::string error;
        if (!FindControl(words[1], ui, id, error)) return Error(error);
        ControlKind kind = ui.Control(id).kind;
        if (kind != ControlKind::DropDownList && kind != ControlKind::ReportList) {
            return Error("not a list: " + std::string(words[1]));
        }
        long long index = 0;
        if (!ParseNumber(words[2], index))
            return Error("malformed index: " + std::string(words[2]));
        auto row = std::intptr_t(index);
        if (row != index) row = -1;  // beyond the word width: nothing can stand there
        return ControlEvent(id, [id, row](ScriptedUi& target) { target.SetState(id, row); });
    }
    if (verb == "key") return ParseKey(words, ui);
    if (verb == "menu") return ParseMenu(line.substr(line.find("menu") + 4), ui);
    if (verb == "clipboard") return Error("usage: clipboard TEXT");
    if (verb == "text") return Error("usage: text ID [TEXT]");
    return Error("unknown command: " + std::string(verb));
}

void ConnectHeadlessDriver(ScriptedUi& ui, std::function<bool(std::string&)> readLine,
                           std::function<void(const std::string&)> writeLine) {
    ui.onMessage = [writeLine](const RecordedMessage& message) { writeLine(MessageJson(message)); };
    ui.onPause = [writeLine](const RecordedPause& pause) {
        writeLine(PauseJson(pause.milliseconds, pause.TextOf(SaveButton)));
    };
    // Instead of starting a program for the file, the driver says which file it would open.
    ui.onOpen = [writeLine](const std::u16string& path) { writeLine(OpenedJson(path)); };
    ui.stepSource = [&ui, readLine, writeLine](ScriptedUi::Step& step) {
        std::string line;
        while (readLine(line)) {
            HeadlessCommand command = ParseHeadlessCommand(line, ui);
            switch (command.kind) {
                case HeadlessCommand::Kind::Step:
                    step = std::move(command.step);
                    return true;
                case HeadlessCommand::Kind::Close:
                    return false;
                case HeadlessCommand::Kind::Dump:
                    writeLine(DumpJson(ui));
                    break;
                case HeadlessCommand::Kind::Error:
                    writeLine(ErrorJson(command.error));
                    break;
                case HeadlessCommand::Kind::Answer:
                    writeLine(command.answer);
                    break;
            }
        }
        return false;  // end of input is a close request
    };
}
