// SPDX-License-Identifier: GPL-3.0-or-later
// The line protocol of velmora-headless: commands read one per line, answers written as one
// JSON object per line. Reading and writing the streams is left to headless_main.cpp.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/scripted_ui.h"

// A quoted JSON string of UTF-16 text: UTF-8, control characters and lone surrogates as
// \uXXXX.
std::string JsonString(std::u16string_view text);
std::string MessageJson(const RecordedMessage& message);
// {"pause":{"ms":...,"saveButton":...}}: a pause and the save button's text meanwhile.
std::string PauseJson(int milliseconds, std::u16string_view saveButtonText);
std::string ErrorJson(std::string_view text);
// {"opened":PATH}: the file the program handed to the desktop to open.
std::string OpenedJson(std::u16string_view path);
// {"title":...,"wordBits":...,"controls":[...],"clipboard":...} with the controls in id order.
std::string DumpJson(ScriptedUi& ui);
// One JSON string literal, quotes included, with its escapes (\uXXXX gives one UTF-16 code
// unit, so a surrogate pair is two escapes); raw text must be valid UTF-8 without control
// characters. False with a reason in `error` for anything else.
bool ParseJsonString(std::string_view literal, std::u16string& text, std::string& error);

struct HeadlessCommand {
    enum class Kind { Step, Dump, Close, Error, Answer };
    Kind kind = Kind::Error;
    ScriptedUi::Step step;  // for Kind::Step
    std::string error;      // for Kind::Error
    std::string answer;     // for Kind::Answer: a JSON line printed as it is
};

// One input line (UTF-8, line end already removed), checked against the controls of ui.
HeadlessCommand ParseHeadlessCommand(std::string_view line, ScriptedUi& ui);

// Makes ui take its steps from readLine (false = end of input) and report boxes, pauses,
// dumps and errors through writeLine, one JSON object per call.
void ConnectHeadlessDriver(ScriptedUi& ui, std::function<bool(std::string&)> readLine,
                           std::function<void(const std::string&)> writeLine);
