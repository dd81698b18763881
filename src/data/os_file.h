// The operating system's file services, one small set per platform (os_file_posix.cpp,
// os_file_win.cpp) and what is built on them alike everywhere (os_file_common.cpp).
// Paths are relative UTF-16 texts with "/" as separator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct OsFile {
    std::intptr_t handle = -1;  // -1 = not open
    // Created, truncated or written through this handle: only then does closing flush it
    // to the disk (a flush of a file only read can cost a whole disk-cache flush).
    bool changed = false;
    // Bytes written since the disk was last asked to start writing them out (POSIX).
    std::int64_t unflushedBytes = 0;
};

// Size in bytes; -1 when the path is empty or nothing exists there, -2 for a folder.
std::int64_t OsFileSize(const std::u16string& path);
// Existing file, read access; others may read but not write while it is open (where the
// platform can enforce it).
bool OsOpenRead(const std::u16string& path, OsFile& file);
// Existing file, read and write access, not truncated.
bool OsOpenReadWrite(const std::u16string& path, OsFile& file);
// Creates or truncates: first read and write access, then write-only as a second attempt.
bool OsCreateWrite(const std::u16string& path, OsFile& file);
// Bytes read (0 at the end of the file), -1 on failure.
std::intptr_t OsRead(OsFile& file, void* buffer, std::size_t size);
// All bytes or failure.
bool OsWrite(OsFile& file, const void* data, std::size_t size);
// Moves the position to the start and cuts the file there (rewriting a preference file).
bool OsTruncateToStart(OsFile& file);
// Flushes a changed file to the disk and closes; false when either fails. The handle is
// closed in any case.
bool OsClose(OsFile& file);
// Replaces `to` by `from` in one step.
bool OsReplaceFile(const std::u16string& from, const std::u16string& to);
bool OsRemoveFile(const std::u16string& path);
// True when the file exists and carries no write permission / the read-only attribute.
bool OsIsReadOnly(const std::u16string& path);
// Appends the bytes from the file's position to its end; false when a read fails or the
// file holds more than mostBytes (the bytes read so far are then kept).
bool OsReadRest(OsFile& file, std::string& bytes, std::size_t mostBytes);
