// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions between the program's UTF-16 text and the byte encodings of its files and of
// the system's paths. Nothing here depends on a language.
#pragma once

#include <string>
#include <string_view>

// Invalid sequences become U+FFFD; nothing throws.
std::u16string Utf8ToUtf16(std::string_view utf8);
// The same conversion, appended to `out`, whose room is reused.
void AppendUtf8AsUtf16(std::string_view utf8, std::u16string& out);
// Lone surrogates are written as their 3-byte forms so that nothing is lost.
std::string Utf16ToUtf8(std::u16string_view utf16);
// Appends the UTF-8 bytes of one code point (up to U+10FFFF; surrogates in their 3-byte forms).
void AppendUtf8(std::string& out, char32_t codePoint);
std::string Latin1ToUtf8(std::string_view latin1);
bool IsValidUtf8(std::string_view bytes);
