// The file services on POSIX systems: open, read, write, flush, rename by UTF-8 path.
// Other programs are not kept from writing an open file (no mandatory locking here).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "data/os_file.h"
#include "data/os_file_faults.h"
#include "text/unicode.h"

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

bool OsOpenRead(const std::u16string& path, OsFile& file) {
    return OpenWith(path, O_RDONLY, file);
}

bool OsOpenReadWrite(const std::u16string& path, OsFile& file) {
    return OpenWith(path, O_RDWR, file);
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

bool OsTruncateToStart(OsFile& file) {
    if (file.handle < 0) return false;
    file.changed = true;
    if (::lseek(HandleOf(file), 0, SEEK_SET) != 0) return false;
    return ::ftruncate(HandleOf(file), 0) == 0;
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
