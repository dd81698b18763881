// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions between UTF-16, UTF-8 and ISO 8859-1. Lone surrogates travel through UTF-8
// in their 3-byte forms, so a text that went out to a file comes back unchanged.
#include "platform/unicode.h"

#include <cstdint>

namespace {

constexpr char16_t ReplacementCharacter = 0xFFFD;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes the sequence at `position`. Returns its length in bytes, 0 when it is broken.
// Surrogate code points are accepted only when `allowSurrogates` is set.
std::size_t DecodeSequence(std::string_view bytes, std::size_t position, bool allowSurrogates,
                           char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(bytes[position]);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - position < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[position + i]);
        if (!IsContinuation(next)) return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF) return 0;
    if (!allowSurrogates && codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;
    return length;
}

// Length of the maximal broken prefix to skip: the lead byte and the continuation bytes
// that could still have belonged to it, so one broken sequence gives one U+FFFD.
std::size_t BrokenLength(std::string_view bytes, std::size_t position) {
    if (static_cast<unsigned char>(bytes[position]) < 0xC0) return 1;
    std::size_t length = 1;
    while (length < 4 && position + length < bytes.size() &&
           IsContinuation(static_cast<unsigned char>(bytes[position + length]))) {
        ++length;
    }
    return length;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    AppendUtf8AsUtf16(utf8, out);
    return out;
}

void AppendUtf8AsUtf16(std::string_view utf8, std::u16string& out) {
    out.reserve(out.size() + utf8.size());  // never more units than bytes
    std::size_t position = 0;
    while (position < utf8.size()) {
        char32_t codePoint = 0;
        // Surrogates are accepted here so that what Utf16ToUtf8 wrote comes back as it was.
        const std::size_t length = DecodeSequence(utf8, position, true, codePoint);
        if (length == 0) {
            out.push_back(ReplacementCharacter);
            position += BrokenLength(utf8, position);
            continue;
        }
        position += length;
        if (codePoint < 0x10000) {
            out.push_back(static_cast<char16_t>(codePoint));
        } else {
            codePoint -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 | (codePoint >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 | (codePoint & 0x3FF)));
        }
    }
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        const bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
        if (highSurrogate && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            const char32_t codePoint =
                0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(utf16[i + 1]) - 0xDC00);
            AppendUtf8(out, codePoint);
            ++i;
            continue;
        }
        AppendUtf8(out, unit);
    }
    return out;
}

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size() * 2);
    for (char byte : latin1) AppendUtf8(out, static_cast<unsigned char>(byte));
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t position = 0;
    while (position < bytes.size()) {
        char32_t codePoint = 0;
        const std::size_t length = DecodeSequence(bytes, position, false, codePoint);
        if (length == 0) return false;
        position += length;
    }
    return true;
}
