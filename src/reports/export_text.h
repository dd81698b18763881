// SPDX-License-Identifier: GPL-3.0-or-later
// Text encodings of the export files: UTF-8 without lone surrogates, HTML/XML escaping,
// CSV fields and iCalendar text values and lines. Which fields go where is the writers'.
#pragma once

#include <string>
#include <string_view>

// UTF-8 of a text; a lone surrogate becomes U+FFFD (every export file must be valid UTF-8).
void AppendUtf8(std::string& out, std::u16string_view text);
std::string ExportUtf8(std::u16string_view text);
// Text for HTML and SVG content and attribute values: & < > " ' as references; control
// characters other than tab, LF and CR, lone surrogates, U+FFFE and U+FFFF (which XML
// forbids) become U+FFFD.
void AppendHtmlText(std::string& out, std::u16string_view text);
std::string HtmlText(std::u16string_view text);
// One CSV text field (RFC 4180). Quoted when it holds , ; " CR or LF, or begins or ends
// with a space or tab; quotes doubled. A text that begins with = + - @ tab or CR, which a
// spreadsheet would run as a formula, gets a leading ' and is quoted.
std::string CsvTextField(std::u16string_view text);
// An iCalendar TEXT value: \ ; , escaped with "\", CR LF, CR or LF as "\n", other control
// characters except tab and lone surrogates as U+FFFD.
std::string IcsText(std::u16string_view text);
// Appends one content line, folded after at most 75 octets per physical line (CRLF and a
// space before every continuation) without splitting a UTF-8 sequence, ended by CRLF.
void AppendIcsLine(std::string& out, std::string_view line);
