// SPDX-License-Identifier: GPL-3.0-or-later
// The line file reader on arbitrary bytes behind every byte order mark (none, FF FE,
// EF BB BF, FE FF, 00 00 FE FF; the first input byte picks one): the lines must equal those
// of a plain reference reading of the line rules, contain no line end, and survive being
// written with WriteLine and read again (a first line that would pass for a mark gets one).
#include <string>
#include <vector>

#include "data/line_file.h"
#include "fuzz_support.h"
#include "platform/unicode.h"
#include "reference_text.h"

namespace {

const std::u16string LinesFile = u"lines.txt";
const std::u16string CopyFile = u"copy.txt";
const fuzz::Bytes Marks[] = {
    {}, {0xFF, 0xFE}, {0xEF, 0xBB, 0xBF}, {0xFE, 0xFF}, {0x00, 0x00, 0xFE, 0xFF}};

bool StartsWith(const fuzz::Bytes& bytes, const fuzz::Bytes& mark) {
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

// Splits units at LF, CR, CR LF and 0000, as ReadLineInto does; the lines a read loop
// "while not at the end, read a line" collects.
template <typename Unit>
std::vector<std::basic_string<Unit>> SplitLines(const std::vector<Unit>& units) {
    std::vector<std::basic_string<Unit>> lines;
    std::size_t at = 0;
    while (at < units.size()) {
        std::size_t end = at;
        while (end < units.size() && units[end] != Unit('\n') && units[end] != Unit('\r') &&
               units[end] != Unit(0))
            ++end;
        lines.emplace_back(units.begin() + std::ptrdiff_t(at), units.begin() + std::ptrdiff_t(end));
        at = end;
        if (at == units.size()) break;
        if (units[at++] == Unit('\r') && at < units.size() && units[at] == Unit('\n')) ++at;
    }
    return lines;
}

std::vector<std::u16string> ReferenceLines(const fuzz::Bytes& file) {
    std::size_t skip = 0;
    enum { Le, Be, Utf8 } encoding = Le;
    if (StartsWith(file, Marks[1])) {
        skip = 2;
    } else if (StartsWith(file, Marks[2])) {
        skip = 3;
        encoding = Utf8;
    } else if (StartsWith(file, Marks[3])) {
        skip = 2;
        encoding = Be;
    } else if (StartsWith(file, Marks[4])) {
        skip = 4;
    }
    if (encoding == Utf8) {
        std::vector<char> bytes(file.begin() + std::ptrdiff_t(skip), file.end());
        std::vector<std::u16string> lines;
        for (const std::string& line : SplitLines(bytes)) lines.push_back(Utf8ToUtf16(line));
        return lines;
    }
    std::vector<char16_t> units;
    units.reserve(file.size() / 2);
    for (std::size_t at = skip; at + 1 < file.size(); at += 2) {
        units.push_back(encoding == Le ? char16_t(file[at] | file[at + 1] << 8)
                                       : char16_t(file[at] << 8 | file[at + 1]));
    }
    return SplitLines(units);
}

std::vector<std::u16string> ReadAllLines(const std::u16string& path, std::size_t fileSize) {
    LineFile file;
    FUZZ_CHECK(OpenForReading(file, path), "an existing file opens");
    SkipByteOrderMark(file);
    std::vector<std::u16string> lines;
    while (!AtEnd(file)) {
        lines.push_back(reference::ReadLine(file));
        FUZZ_CHECK(lines.size() <= fileSize, "every line consumes at least one byte");
    }
    FUZZ_CHECK(reference::ReadLine(file).empty(), "a read at the end gives the empty text");
    FUZZ_CHECK(Close(file), "a complete read closes cleanly");
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartMemoryFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fuzz::Bytes file = Marks[data[0] % 5];
    file.insert(file.end(), data + 1, data + size);
    fuzz::WriteFile(LinesFile, file);

    const std::vector<std::u16string> lines = ReadAllLines(LinesFile, file.size());
    FUZZ_CHECK(lines == ReferenceLines(file), "ReadLineInto follows the line rules");
    for (const std::u16string& line : lines) {
        FUZZ_CHECK(line.find_first_of(std::u16string_view(u"\r\n\0", 3)) == std::u16string::npos,
                   "no line end inside a line");
    }

    // Written back, the lines give exactly the line file bytes, and read as the same lines.
    LineFile out;
    FUZZ_CHECK(CreateForWriting(out, CopyFile), "the copy can be created");
    for (const std::u16string& line : lines) WriteLine(out, line);
    FUZZ_CHECK(Close(out), "the copy is written completely");
    // A first line whose own bytes would read as a byte order mark gets a real one in front.
    fuzz::Bytes expected = fuzz::LineFileBytes(lines);
    for (std::size_t mark = 1; mark < 5; ++mark) {
        if (!StartsWith(expected, Marks[mark])) continue;
        expected.insert(expected.begin(), Marks[1].begin(), Marks[1].end());
        break;
    }
    const fuzz::Bytes copy = fuzz::ReadFile(CopyFile);
    FUZZ_CHECK(copy == expected, "WriteLine writes UTF-16 LE lines with CR LF");
    FUZZ_CHECK(ReadAllLines(CopyFile, copy.size()) == lines, "written lines read back");
    return 0;
}
