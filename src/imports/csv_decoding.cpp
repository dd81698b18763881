// SPDX-License-Identifier: GPL-3.0-or-later
// The encodings an imported file may come in: UTF-8 and UTF-16 in either byte order, decoded
// piece by piece as the bytes arrive. Bytes the encoding cannot hold become U+FFFD and are
// marked, so that the rows holding them can be refused instead of stored damaged.
#include "imports/csv_reader.h"

namespace {

constexpr char16_t Replacement = 0xFFFD;

void PutBad(std::u16string& units, std::vector<std::size_t>& bad) {
    bad.push_back(units.size());
    units.push_back(Replacement);
}

void PutCodePoint(std::u16string& units, char32_t point) {
    if (point < 0x10000) {
        units.push_back(char16_t(point));
        return;
    }
    point -= 0x10000;
    units.push_back(char16_t(0xD800 + (point >> 10)));
    units.push_back(char16_t(0xDC00 + (point & 0x3FF)));
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at `at` (Unicode's table 3-7): 0 when the
// bytes there start none, -1 when they might but the bytes end first.
int SequenceLength(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
        return 0;
    }
    for (int index = 1; index < length; ++index) {
        if (at + std::size_t(index) >= bytes.size()) return -1;
        const auto next = static_cast<unsigned char>(bytes[at + std::size_t(index)]);
        if (index == 1 ? (next < low || next > high) : !IsContinuation(next)) return 0;
    }
    return length;
}

std::size_t DecodeUtf8(std::string_view bytes, bool final, std::u16string& units,
                       std::vector<std::size_t>& bad) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) {
            units.push_back(char16_t(lead));
            ++at;
            continue;
        }
        const int length = SequenceLength(bytes, at);
        if (length < 0 && !final) break;  // the rest of the character comes with the next read
        if (length <= 0) {
            PutBad(units, bad);
            ++at;
            continue;
        }
        char32_t point = lead & (0x7F >> length);
        for (int index = 1; index < length; ++index)
            point = (point << 6) | (static_cast<unsigned char>(bytes[at + index]) & 0x3F);
        PutCodePoint(units, point);
        at += std::size_t(length);
    }
    return at;
}

std::size_t DecodeUtf16(std::string_view bytes, bool bigEndian, bool final, std::u16string& units,
                        std::vector<std::size_t>& bad) {
    const auto unitAt = [&bytes, bigEndian](std::size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return char16_t(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    std::size_t at = 0;
    while (at + 1 < bytes.size()) {
        const char16_t unit = unitAt(at);
        if (unit < 0xD800 || unit > 0xDFFF) {
            units.push_back(unit);
            at += 2;
            continue;
        }
        if (unit <= 0xDBFF) {
            if (at + 3 >= bytes.size()) {
                if (!final) return at;  // its partner comes with the next read
                PutBad(units, bad);
                at += 2;
                continue;
            }
            const char16_t next = unitAt(at + 2);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                units.push_back(unit);
                units.push_back(next);
                at += 4;
                continue;
            }
        }
        PutBad(units, bad);  // a lone surrogate
        at += 2;
    }
    if (at < bytes.size() && final) {  // an odd last byte
        PutBad(units, bad);
        at = bytes.size();
    }
    return at;
}

}  // namespace

CsvEncoding DetectCsvEncoding(std::string_view firstBytes, std::size_t& markLength) {
    markLength = 0;
    const auto byteAt = [&firstBytes](std::size_t at) {
        return at < firstBytes.size() ? static_cast<unsigned char>(firstBytes[at]) : 0x100u;
    };
    if (byteAt(0) == 0xEF && byteAt(1) == 0xBB && byteAt(2) == 0xBF) {
        markLength = 3;
        return CsvEncoding::Utf8;
    }
    if (byteAt(0) == 0xFF && byteAt(1) == 0xFE) {
        markLength = 2;
        return CsvEncoding::Utf16LittleEndian;
    }
    if (byteAt(0) == 0xFE && byteAt(1) == 0xFF) {
        markLength = 2;
        return CsvEncoding::Utf16BigEndian;
    }
    // A header row starts with a letter or a quote; in UTF-16 one of its two bytes is zero.
    if (byteAt(0) != 0 && byteAt(0) < 0x100 && byteAt(1) == 0)
        return CsvEncoding::Utf16LittleEndian;
    if (byteAt(0) == 0 && byteAt(1) != 0 && byteAt(1) < 0x100) return CsvEncoding::Utf16BigEndian;
    return CsvEncoding::Utf8;
}

std::size_t DecodeCsvBytes(CsvEncoding encoding, std::string_view bytes, bool final,
                           std::u16string& units, std::vector<std::size_t>& bad) {
    // Room for the most units the bytes can give (one per byte of UTF-8, per two of UTF-16)
    // at once, rather than growing the text step by step while decoding.
    const std::size_t bytesPerUnit = encoding == CsvEncoding::Utf8 ? 1 : 2;
    units.reserve(units.size() + bytes.size() / bytesPerUnit + 1);
    switch (encoding) {
        case CsvEncoding::Utf8:
            return DecodeUtf8(bytes, final, units, bad);
        case CsvEncoding::Utf16LittleEndian:
            return DecodeUtf16(bytes, false, final, units, bad);
        case CsvEncoding::Utf16BigEndian:
            return DecodeUtf16(bytes, true, final, units, bad);
    }
    return 0;
}
