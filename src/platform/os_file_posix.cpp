// SPDX-License-Identifier: GPL-3.0-or-later
// The file services on POSIX systems: sizes and times, open, read, write, flush, rename, links,
// folders and the folder lock by UTF-8 path. Other programs are not kept from writing an open file
// (no mandatory locking here).
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/os_file.h"
#include "platform/os_file_faults.h"
#include "platform/unicode.h"

// A 32-bit build must still handle files past 2 GiB; the build asks for _FILE_OFFSET_BITS=64.
static_assert(sizeof(off_t) >= 8, "file offsets must be 64 bits wide");

namespace {

std::string NativePath(const std::u16string& path) {
    return Utf16ToUtf8(path);
}

int HandleOf(const OsFile& file) {
    return static_cast<int>(file.handle);
}

bool OpenWith(const std::u16string& path, int flags, OsFile& file) {
    file.handle = -1;
    file.changed = false;
    if (path.empty()) return false;
    int fd;
    do {
        fd = ::open(NativePath(path).c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return false;
    // Opening a folder read-only succeeds on POSIX; a folder is never a line file.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return false;
    }
    file.handle = fd;
    return true;
}

// A big save ends with a flush to the disk; asking the disk to start on each few megabytes
// as they are written lets it work while the rest is still being formatted.
void StartWriteBack(OsFile& file, std::size_t written) {
#ifdef __linux__
    constexpr std::int64_t Step = 4 << 20;
    file.unflushedBytes += static_cast<std::int64_t>(written);
    if (file.unflushedBytes < Step) return;
    file.unflushedBytes = 0;
    ::sync_file_range(HandleOf(file), 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    (void)file;
    (void)written;
#endif
}

}  // namespace

std::int64_t OsFileSize(const std::u16string& path) {
    if (path.empty()) return -1;
    struct stat info {};
    if (::stat(NativePath(path).c_str(), &info) != 0) return -1;
    if (S_ISDIR(info.st_mode)) return -2;
    return static_cast<std::int64_t>(info.st_size);
}

bool OsModificationTime(const std::u16string& path, std::int64_t& secondsSinceEpoch) {
    if (path.empty()) return false;
    struct stat info {};
    if (::stat(NativePath(path).c_str(), &info) != 0) return false;
    secondsSinceEpoch = static_cast<std::int64_t>(info.st_mtime);
    return true;
}

namespace {

OsFileIdentity IdentityOfStat(const struct stat& info) {
    OsFileIdentity identity;
    identity.exists = true;
    identity.size = static_cast<std::int64_t>(info.st_size);
    identity.changedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                         static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    identity.volume = static_cast<std::uint64_t>(info.st_dev);
    identity.number = static_cast<std::uint64_t>(info.st_ino);
    return identity;
}

}  // namespace

OsFileIdentity OsIdentityOf(const std::u16string& path) {
    struct stat info {};
    if (path.empty() || ::stat(NativePath(path).c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return {};
    return IdentityOfStat(info);
}

OsFileIdentity OsIdentityOfOpen(const OsFile& file) {
    struct stat info {};
    if (file.handle < 0 || ::fstat(HandleOf(file), &info) != 0) return {};
    return IdentityOfStat(info);
}

bool OsMoveFileNoReplace(const std::u16string& from, const std::u16string& to) {
    if (from.empty() || to.empty()) return false;
    const std::string source = NativePath(from);
    const std::string target = NativePath(to);
    // A second name refuses to stand where something is; dropping the first name then
    // completes the move without a moment in which `to` could be replaced.
    if (::link(source.c_str(), target.c_str()) == 0) {
        if (::unlink(source.c_str()) == 0) return true;
        ::unlink(target.c_str());
        return false;
    }
    if (errno == EEXIST) return false;
    // File systems without second names (some network and FAT folders): look, then rename.
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 || errno != ENOENT) return false;
    return ::rename(source.c_str(), target.c_str()) == 0;
}

bool OsOpenRead(const std::u16string& path, OsFile& file) {
    return OpenWith(path, O_RDONLY, file);
}

bool OsOpenReadWrite(const std::u16string& path, OsFile& file) {
    return OpenWith(path, O_RDWR, file);
}

bool OsCreateNew(const std::u16string& path, OsFile& file) {
    file.handle = -1;
    if (TakeFileFault(FileFault::Create)) return false;
    // O_EXCL also refuses a link at the path, so nothing of the user's is ever opened.
    if (!OpenWith(path, O_RDWR | O_CREAT | O_EXCL, file)) return false;
    file.changed = true;
    return true;
}

bool OsCreateWrite(const std::u16string& path, OsFile& file) {
    file.handle = -1;
    if (TakeFileFault(FileFault::Create)) return false;
    if (!OpenWith(path, O_RDWR | O_CREAT | O_TRUNC, file) &&
        !OpenWith(path, O_WRONLY | O_TRUNC, file))
        return false;
    file.changed = true;  // even an empty new file must reach the disk
    return true;
}

std::intptr_t OsRead(OsFile& file, void* buffer, std::size_t size) {
    if (file.handle < 0) return -1;
    for (;;) {
        ssize_t got = ::read(HandleOf(file), buffer, size);
        if (got >= 0) return static_cast<std::intptr_t>(got);
        if (errno != EINTR) return -1;
    }
}

bool OsWrite(OsFile& file, const void* data, std::size_t size) {
    if (file.handle < 0) return false;
    file.changed = true;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    bool fail = false;
    const std::size_t allowed = BytesAllowedBeforeWriteFault(size, fail);
    std::size_t done = 0;
    while (done < allowed) {
        ssize_t put = ::write(HandleOf(file), bytes + done, allowed - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    CountWrittenBytes(done, fail);
    StartWriteBack(file, done);
    return !fail;
}

bool OsClose(OsFile& file) {
    if (file.handle < 0) return false;
    bool ok = !file.changed || ::fsync(HandleOf(file)) == 0;
    // Some file systems refuse fsync; that is no failure of the data.
    if (!ok && (errno == EINVAL || errno == EROFS)) ok = true;
    file.changed = false;
    if (::close(HandleOf(file)) != 0 && errno != EINTR) ok = false;
    file.handle = -1;
    if (TakeFileFault(FileFault::Close)) ok = false;
    return ok;
}

bool OsReplaceFile(const std::u16string& from, const std::u16string& to) {
    if (TakeFileFault(FileFault::Replace)) return false;
    if (from.empty() || to.empty()) return false;
    return ::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

bool OsRemoveFile(const std::u16string& path) {
    if (path.empty()) return false;
    return ::unlink(NativePath(path).c_str()) == 0;
}

bool OsIsReadOnly(const std::u16string& path) {
    if (path.empty()) return false;
    struct stat info {};
    if (::stat(NativePath(path).c_str(), &info) != 0) return false;
    // Root may write anything, so the permission bits are the only sign of intent.
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::u16string OsLinkTarget(const std::u16string& path) {
    std::string current = NativePath(path);
    // Forty links deep is a loop, not a chain anyone made on purpose.
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
        std::string target(std::size_t(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length <= 0 || std::size_t(length) >= target.size()) break;
        target.resize(std::size_t(length));
        if (target.front() == '/') {
            current = target;
        } else {
            const std::size_t slash = current.rfind('/');
            current = slash == std::string::npos ? target : current.substr(0, slash + 1) + target;
        }
    }
    return Utf8ToUtf16(current);
}

bool OsTakeFileMode(OsFile& file, const std::u16string& model) {
    if (file.handle < 0) return false;
    struct stat info {};
    if (::stat(NativePath(model).c_str(), &info) != 0) return true;
    bool ok = ::fchmod(HandleOf(file), info.st_mode & 07777) == 0;
    // Only root may give a file away; anyone else keeps the owner the file was made with.
    if ((info.st_uid != ::geteuid() || info.st_gid != ::getegid()) &&
        ::fchown(HandleOf(file), info.st_uid, info.st_gid) != 0 && errno != EPERM)
        ok = false;
    return ok;
}

bool OsHardLink(const std::u16string& existing, const std::u16string& link) {
    if (existing.empty() || link.empty()) return false;
    return ::link(NativePath(existing).c_str(), NativePath(link).c_str()) == 0;
}

bool OsMakeFolder(const std::u16string& path) {
    if (path.empty()) return false;
    if (::mkdir(NativePath(path).c_str(), 0777) == 0) return true;
    return errno == EEXIST && OsFileSize(path) == -2;
}

std::vector<std::u16string> OsFolderFiles(const std::u16string& folder) {
    std::vector<std::u16string> names;
    const std::string base = NativePath(folder);
    DIR* directory = ::opendir(base.c_str());
    if (directory == nullptr) return names;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        struct stat info {};
        if (::lstat((base + "/" + name).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        names.push_back(Utf8ToUtf16(name));
    }
    ::closedir(directory);
    return names;
}

OsLockResult OsLockFile(const std::u16string& path, OsFile& lock) {
    lock = OsFile{};
    if (!OpenWith(path, O_RDWR | O_CREAT, lock) && !OpenWith(path, O_RDONLY, lock))
        return OsLockResult::Unavailable;
    // flock belongs to this open file, so even a second start inside the same process meets
    // it; the system drops it with the last descriptor, whatever ends the program.
    if (::flock(HandleOf(lock), LOCK_EX | LOCK_NB) == 0) return OsLockResult::Held;
    const bool elsewhere = errno == EWOULDBLOCK;
    ::close(HandleOf(lock));
    lock.handle = -1;
    return elsewhere ? OsLockResult::HeldElsewhere : OsLockResult::Unavailable;
}
