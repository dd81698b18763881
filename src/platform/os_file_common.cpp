// SPDX-License-Identifier: GPL-3.0-or-later
// File services built the same way on every platform from the per-platform calls of
// os_file_posix.cpp and os_file_win.cpp (or of the in-memory files of the fuzz build):
// reading a file's rest, replacing a file through a temporary file of its own, and copying a
// file that way.
#include <chrono>
#include <memory>
#include <string>

#include "platform/os_file.h"
#include "platform/unset_buffer.h"

namespace {

constexpr std::size_t ReadChunkBytes = 64 * 1024;
constexpr char16_t ReplacementMark[] = u".velmora-";
constexpr char16_t ReplacementEnd[] = u".tmp";
constexpr std::size_t ReplacementLetters = 8;
// A name taken by chance eight times in a row means something is wrong with the folder.
constexpr int ReplacementAttempts = 8;

// Eight letters that differ from save to save and from process to process, put behind
// `name`; the exclusive create, not the letters, is what keeps every other file safe.
void AppendRandomLetters(std::u16string& name) {
    static std::uint64_t state =
        std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count()) ^
        (std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) << 21) ^
        std::uint64_t(reinterpret_cast<std::uintptr_t>(&state));
    std::uint64_t mixed = (state += 0x9E3779B97F4A7C15ull);
    mixed = (mixed ^ (mixed >> 30)) * 0xBF58476D1CE4E5B9ull;
    mixed = (mixed ^ (mixed >> 27)) * 0x94D049BB133111EBull;
    mixed ^= mixed >> 31;
    constexpr char16_t Alphabet[] = u"abcdefghijklmnopqrstuvwxyz234567";
    for (std::size_t i = 0; i < ReplacementLetters; ++i, mixed >>= 5)
        name.push_back(Alphabet[mixed & 31]);
}

// A file the program may not write is not replaced behind its owner's back, even though the
// folder would allow the replacement; nor is a folder that took the file's place.
bool MayReplace(const std::u16string& target) {
    const std::int64_t size = OsFileSize(target);
    if (size == -1) return true;
    if (size < 0 || OsIsReadOnly(target)) return false;
    OsFile probe;
    if (!OsOpenReadWrite(target, probe)) return false;
    return OsClose(probe);
}

}  // namespace

bool SameFileIdentity(const OsFileIdentity& a, const OsFileIdentity& b) {
    if (a.exists != b.exists) return false;
    if (!a.exists) return true;
    return a.size == b.size && a.changedNs == b.changedNs && a.volume == b.volume &&
           a.number == b.number;
}

bool OsReadRest(OsFile& file, std::string& bytes, std::size_t mostBytes) {
    // Each read lands in a chunk of unset room and only what arrived is appended: growing the
    // text by a whole chunk for every read would set a chunk of memory (and make the system
    // find it) that the last read, and all of a small file's, leave unused. The chunk grows
    // as reads fill it.
    UnsetBuffer<char> chunk;
    ResizeBuffer(chunk, FileBufferStartBytes);
    for (;;) {
        if (bytes.size() > mostBytes) return false;
        const std::intptr_t got = OsRead(file, chunk.data(), chunk.size());
        if (got < 0) return false;
        if (got == 0) return bytes.size() <= mostBytes;
        bytes.append(chunk.data(), std::size_t(got));
        if (std::size_t(got) == chunk.size()) GrowFileBuffer(chunk, ReadChunkBytes, 0);
    }
}

bool IsReplacementName(std::u16string_view fileName) {
    const std::size_t mark = fileName.rfind(ReplacementMark);
    if (mark == std::u16string_view::npos) return false;
    const std::u16string_view rest = fileName.substr(mark + std::size(ReplacementMark) - 1);
    return rest.size() == ReplacementLetters + std::size(ReplacementEnd) - 1 &&
           rest.substr(ReplacementLetters) == ReplacementEnd;
}

bool OsBeginReplacement(const std::u16string& path, OsReplacement& replacement) {
    replacement.target = OsLinkTarget(path);
    replacement.file = OsFile{};
    replacement.temporary.clear();
    // A folder can never give way to a file, and a file without write permission is not
    // replaced behind its owner's back, even though the folder would allow it.
    const std::int64_t size = OsFileSize(replacement.target);
    if (size == -2 || (size >= 0 && OsIsReadOnly(replacement.target))) return false;
    for (int attempt = 0; attempt < ReplacementAttempts; ++attempt) {
        std::u16string& name = replacement.temporary;
        name.reserve(replacement.target.size() + std::size(ReplacementMark) + ReplacementLetters +
                     std::size(ReplacementEnd));
        name.assign(replacement.target).append(ReplacementMark);
        AppendRandomLetters(name);
        name.append(ReplacementEnd);
        if (!OsCreateNew(replacement.temporary, replacement.file)) {
            // Only a name taken by chance is worth another try; anything else would fail again.
            if (OsFileSize(replacement.temporary) != -1) continue;
            break;
        }
        // What the user set up for the old file holds for the new one from the start.
        OsTakeFileMode(replacement.file, replacement.target);
        return true;
    }
    replacement.temporary.clear();
    return false;
}

bool OsFinishReplacement(OsReplacement& replacement, const OsReplacementWriter& write,
                         const OsBeforeReplacing& beforeReplacing) {
    if (replacement.temporary.empty()) return false;
    bool written = write(replacement.file);
    written = OsClose(replacement.file) && written;
    if (!written || !MayReplace(replacement.target)) {
        OsCancelReplacement(replacement);
        return false;
    }
    if (beforeReplacing) beforeReplacing(replacement.target);
    return OsCompleteReplacement(replacement);
}

bool OsReplaceFileWith(const std::u16string& path, const OsReplacementWriter& write,
                       const OsBeforeReplacing& beforeReplacing) {
    OsReplacement replacement;
    if (!OsBeginReplacement(path, replacement)) return false;
    return OsFinishReplacement(replacement, write, beforeReplacing);
}

bool OsCompleteReplacement(OsReplacement& replacement) {
    if (replacement.temporary.empty()) return false;
    if (OsReplaceFile(replacement.temporary, replacement.target)) {
        replacement.temporary.clear();
        return true;
    }
    OsCancelReplacement(replacement);
    return false;
}

void OsCancelReplacement(OsReplacement& replacement) {
    if (replacement.file.handle != -1) OsClose(replacement.file);
    if (!replacement.temporary.empty()) OsRemoveFile(replacement.temporary);
    replacement.temporary.clear();
}

bool OsCopyFile(const std::u16string& from, const std::u16string& to) {
    OsFile source;
    if (!OsOpenRead(from, source)) return false;
    const bool copied = OsReplaceFileWith(to, [&source](OsFile& copy) {
        const auto chunk = std::make_unique_for_overwrite<char[]>(ReadChunkBytes);
        for (;;) {
            const std::intptr_t got = OsRead(source, chunk.get(), ReadChunkBytes);
            if (got <= 0) return got == 0;
            if (!OsWrite(copy, chunk.get(), std::size_t(got))) return false;
        }
    });
    OsClose(source);
    return copied;
}
