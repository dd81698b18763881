// SPDX-License-Identifier: GPL-3.0-or-later
// The operating system's file services, one small set per platform (os_file_posix.cpp,
// os_file_win.cpp) and what is built on them alike everywhere (os_file_common.cpp).
// Paths are relative UTF-16 texts with "/" as separator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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
// What tells one version of a file from another without reading it: size, the time it last
// changed to the nanosecond (as far as the file system keeps it) and the file's own number on
// its volume. A file replaced by a rename, the way sync tools and this program save, gets a
// new number; one written in place gets a new time.
struct OsFileIdentity {
    bool exists = false;
    std::int64_t size = -1;
    std::int64_t changedNs = 0;  // nanoseconds since 1970 UTC
    std::uint64_t volume = 0;
    std::uint64_t number = 0;
};
bool SameFileIdentity(const OsFileIdentity& a, const OsFileIdentity& b);
// The identity of the file a path names (a link's target); exists false when there is none.
OsFileIdentity OsIdentityOf(const std::u16string& path);
// The identity of an open file, as it stands after the writes made through it.
OsFileIdentity OsIdentityOfOpen(const OsFile& file);
// Moves a file to a path where nothing stands; never replaces what is there. False when
// something is there or the move fails; the file then stays where it was.
bool OsMoveFileNoReplace(const std::u16string& from, const std::u16string& to);

// When the file last changed (on POSIX a link's target), in whole seconds since 1970 UTC,
// rounded down; false when nothing exists there or the file system keeps no time.
bool OsModificationTime(const std::u16string& path, std::int64_t& secondsSinceEpoch);
// Existing file, read access; others may read but not write while it is open (where the
// platform can enforce it).
bool OsOpenRead(const std::u16string& path, OsFile& file);
// Existing file, read and write access, not truncated.
bool OsOpenReadWrite(const std::u16string& path, OsFile& file);
// Creates or truncates: first read and write access, then write-only as a second attempt.
bool OsCreateWrite(const std::u16string& path, OsFile& file);
// Creates a file that did not exist, for reading and writing; never opens what is there.
bool OsCreateNew(const std::u16string& path, OsFile& file);
// Bytes read (0 at the end of the file), -1 on failure.
std::intptr_t OsRead(OsFile& file, void* buffer, std::size_t size);
// All bytes or failure.
bool OsWrite(OsFile& file, const void* data, std::size_t size);
// Flushes a changed file to the disk and closes; false when either fails. The handle is
// closed in any case.
bool OsClose(OsFile& file);
// Replaces `to` by `from` in one step.
bool OsReplaceFile(const std::u16string& from, const std::u16string& to);
bool OsRemoveFile(const std::u16string& path);
// True when the file exists and carries no write permission / the read-only attribute.
bool OsIsReadOnly(const std::u16string& path);
// The file a path finally names: the target of a symbolic link (a chain followed, a relative
// target taken from the link's folder); the path itself when it is no link.
std::u16string OsLinkTarget(const std::u16string& path);
// Gives an open file the permission bits and, where the program may, the owner of the file
// at `model` (on Windows its hidden, system and archive attributes); true when there is no
// such file.
bool OsTakeFileMode(OsFile& file, const std::u16string& model);
// A second name for an existing file; false where the file system has none.
bool OsHardLink(const std::u16string& existing, const std::u16string& link);
// Creates a folder; true when it exists afterwards.
bool OsMakeFolder(const std::u16string& path);
// The names of the files in a folder (no folders), in no particular order.
std::vector<std::u16string> OsFolderFiles(const std::u16string& folder);

enum class OsLockResult {
    Held,           // the lock is this program's until the handle is closed or it ends
    HeldElsewhere,  // another program holds it
    Unavailable,    // the lock file cannot be opened (a read-only folder, say)
};
// Takes the exclusive lock on a lock file, created when missing (hidden on Windows). The
// system releases it when the program ends for any reason; the file itself may stay.
OsLockResult OsLockFile(const std::u16string& path, OsFile& lock);
// Appends the bytes from the file's position to its end; false when a read fails or the
// file holds more than mostBytes (the bytes read so far are then kept).
bool OsReadRest(OsFile& file, std::string& bytes, std::size_t mostBytes);

// Replacing a file with new bytes, the one way every save, the preference writer and the
// exports put a file in place: the new content goes to a temporary file beside the file
// finally named (a link's target, so the link stays and the rename stays atomic), created
// exclusively for this replacement with the old file's mode and owner, named
// "<file>.velmora-<8 letters>.tmp", flushed to the disk, then renamed over the target in one
// step. The file is never left short or half-written.
struct OsReplacement {
    std::u16string target;     // the file that is replaced
    std::u16string temporary;  // the new content, until it takes the target's place
    OsFile file;               // open on the temporary file after the begin
};
// False when the file (a link's target) is a folder or read-only, or no temporary file could
// be created; then nothing is left behind.
bool OsBeginReplacement(const std::u16string& path, OsReplacement& replacement);
// Writes the new content into the temporary file of a begun replacement: returns false to
// give up.
using OsReplacementWriter = std::function<bool(OsFile& temporary)>;
// Called with the file about to be replaced (a link's target), just before the rename.
using OsBeforeReplacing = std::function<void(const std::u16string& target)>;
// The rest of a begun replacement: `write` fills the temporary file, which is then flushed
// and closed; unless the target has meanwhile become a folder or a file the program may not
// write, `beforeReplacing` sees it and the temporary file takes its place in one step. False
// on any failure: the temporary file is gone and the target is exactly as it was.
bool OsFinishReplacement(OsReplacement& replacement, const OsReplacementWriter& write,
                         const OsBeforeReplacing& beforeReplacing = {});
// OsBeginReplacement and OsFinishReplacement in one.
bool OsReplaceFileWith(const std::u16string& path, const OsReplacementWriter& write,
                       const OsBeforeReplacing& beforeReplacing = {});
// Puts the temporary file, which the caller has written and closed, in place of the target
// in one step. On false the temporary file is removed and the target is as it was.
bool OsCompleteReplacement(OsReplacement& replacement);
// Removes the temporary file (closed first if still open); the target stays as it was.
void OsCancelReplacement(OsReplacement& replacement);
// Copies a file's bytes to `to`, which appears whole or not at all (a replacement).
bool OsCopyFile(const std::u16string& from, const std::u16string& to);
// True for a name OsBeginReplacement gives its temporary files.
bool IsReplacementName(std::u16string_view fileName);
