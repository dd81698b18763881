// SPDX-License-Identifier: GPL-3.0-or-later
// The file services on Windows: CreateFileW with read sharing only, so other programs may
// read but not write a file while it is open; "/" separators work with the W functions. The
// folder lock is a hidden file opened without any sharing.
// The line and preference formats on top are left to line_file.cpp and preference_file.cpp.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

#include "platform/os_file.h"
#include "platform/os_file_faults.h"

namespace {

const wchar_t* NativePath(const std::u16string& path) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows paths are UTF-16");
    return reinterpret_cast<const wchar_t*>(path.c_str());
}

HANDLE HandleOf(const OsFile& file) {
    return reinterpret_cast<HANDLE>(file.handle);
}

bool IsOpen(const OsFile& file) {
    return file.handle != -1 && file.handle != 0;
}

// A path with a NUL inside would name a different file than the caller meant.
bool IsUsablePath(const std::u16string& path) {
    return !path.empty() && path.find(u'\0') == std::u16string::npos;
}

bool IsReadOnlyFile(const std::u16string& path) {
    DWORD attributes = GetFileAttributesW(NativePath(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool OpenWith(const std::u16string& path, DWORD access, DWORD disposition, OsFile& file) {
    file.handle = -1;
    file.changed = false;
    if (!IsUsablePath(path)) return false;
    // Windows refuses to write a read-only file; Wine run by root would not, so say it here.
    if ((access & GENERIC_WRITE) != 0 && IsReadOnlyFile(path)) return false;
    HANDLE handle = CreateFileW(NativePath(path), access, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    file.handle = reinterpret_cast<std::intptr_t>(handle);
    return true;
}

}  // namespace

std::int64_t OsFileSize(const std::u16string& path) {
    if (!IsUsablePath(path)) return -1;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(NativePath(path), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
    return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) |
           static_cast<std::int64_t>(data.nFileSizeLow);
}

bool OsModificationTime(const std::u16string& path, std::int64_t& secondsSinceEpoch) {
    if (!IsUsablePath(path)) return false;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(NativePath(path), GetFileExInfoStandard, &data)) return false;
    // 100-nanosecond steps since 1601; a file system that keeps no time gives 0.
    const std::int64_t steps = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime);
    if (steps <= 0) return false;
    constexpr std::int64_t SecondsFrom1601To1970 = 11644473600;
    secondsSinceEpoch = steps / 10000000 - SecondsFrom1601To1970;
    return true;
}

namespace {

OsFileIdentity IdentityOfHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) return {};
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {};
    OsFileIdentity identity;
    identity.exists = true;
    identity.size = (static_cast<std::int64_t>(info.nFileSizeHigh) << 32) |
                    static_cast<std::int64_t>(info.nFileSizeLow);
    // 100-nanosecond steps since 1601; only the comparison matters, so no epoch shift.
    identity.changedNs =
        static_cast<std::int64_t>(
            (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
            info.ftLastWriteTime.dwLowDateTime) *
        100;
    identity.volume = info.dwVolumeSerialNumber;
    identity.number = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return identity;
}

}  // namespace

OsFileIdentity OsIdentityOf(const std::u16string& path) {
    if (!IsUsablePath(path)) return {};
    // Opened for no access at all: reading the attributes needs none, and any sharing stays
    // possible for the program that may be writing the file right now.
    HANDLE handle =
        CreateFileW(NativePath(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {};
    const OsFileIdentity identity = IdentityOfHandle(handle);
    CloseHandle(handle);
    return identity;
}

OsFileIdentity OsIdentityOfOpen(const OsFile& file) {
    if (!IsOpen(file)) return {};
    return IdentityOfHandle(HandleOf(file));
}

bool OsMoveFileNoReplace(const std::u16string& from, const std::u16string& to) {
    if (!IsUsablePath(from) || !IsUsablePath(to)) return false;
    // Without MOVEFILE_REPLACE_EXISTING the move fails where something stands already.
    return MoveFileExW(NativePath(from), NativePath(to), MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool OsOpenRead(const std::u16string& path, OsFile& file) {
    return OpenWith(path, GENERIC_READ, OPEN_EXISTING, file);
}

bool OsOpenReadWrite(const std::u16string& path, OsFile& file) {
    return OpenWith(path, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING, file);
}

bool OsCreateNew(const std::u16string& path, OsFile& file) {
    file.handle = -1;
    if (TakeFileFault(FileFault::Create)) return false;
    if (!OpenWith(path, GENERIC_READ | GENERIC_WRITE, CREATE_NEW, file)) return false;
    file.changed = true;
    return true;
}

bool OsCreateWrite(const std::u16string& path, OsFile& file) {
    file.handle = -1;
    if (TakeFileFault(FileFault::Create)) return false;
    if (!OpenWith(path, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS, file) &&
        !OpenWith(path, GENERIC_WRITE, TRUNCATE_EXISTING, file))
        return false;
    file.changed = true;  // even an empty new file must reach the disk
    return true;
}

std::intptr_t OsRead(OsFile& file, void* buffer, std::size_t size) {
    if (!IsOpen(file)) return -1;
    DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 0x40000000u));
    DWORD got = 0;
    if (!ReadFile(HandleOf(file), buffer, wanted, &got, nullptr)) return -1;
    return static_cast<std::intptr_t>(got);
}

bool OsWrite(OsFile& file, const void* data, std::size_t size) {
    if (!IsOpen(file)) return false;
    file.changed = true;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    bool fail = false;
    const std::size_t allowed = BytesAllowedBeforeWriteFault(size, fail);
    std::size_t done = 0;
    while (done < allowed) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(allowed - done, 0x40000000u));
        DWORD put = 0;
        if (!WriteFile(HandleOf(file), bytes + done, chunk, &put, nullptr) || put == 0)
            return false;
        done += put;
    }
    CountWrittenBytes(done, fail);
    return !fail;
}

bool OsClose(OsFile& file) {
    if (!IsOpen(file)) return false;
    // Only what was written is worth a flush: flushing a file only read can cost a flush of
    // the whole disk cache.
    bool ok = !file.changed || FlushFileBuffers(HandleOf(file)) != FALSE;
    file.changed = false;
    if (!CloseHandle(HandleOf(file))) ok = false;
    file.handle = -1;
    if (TakeFileFault(FileFault::Close)) ok = false;
    return ok;
}

bool OsReplaceFile(const std::u16string& from, const std::u16string& to) {
    if (TakeFileFault(FileFault::Replace)) return false;
    if (!IsUsablePath(from) || !IsUsablePath(to)) return false;
    return MoveFileExW(NativePath(from), NativePath(to),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool OsRemoveFile(const std::u16string& path) {
    if (!IsUsablePath(path)) return false;
    return DeleteFileW(NativePath(path)) != FALSE;
}

bool OsIsReadOnly(const std::u16string& path) {
    return IsUsablePath(path) && IsReadOnlyFile(path);
}

std::u16string OsLinkTarget(const std::u16string& path) {
    if (!IsUsablePath(path)) return path;
    const DWORD attributes = GetFileAttributesW(NativePath(path));
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return path;
    HANDLE handle = CreateFileW(NativePath(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return path;
    std::u16string target(MAX_PATH, u'\0');
    DWORD length = GetFinalPathNameByHandleW(handle, reinterpret_cast<wchar_t*>(target.data()),
                                             DWORD(target.size()), FILE_NAME_NORMALIZED);
    if (length >= target.size()) {
        target.resize(length + 1);
        length = GetFinalPathNameByHandleW(handle, reinterpret_cast<wchar_t*>(target.data()),
                                           DWORD(target.size()), FILE_NAME_NORMALIZED);
    }
    CloseHandle(handle);
    if (length == 0 || length >= target.size()) return path;
    target.resize(length);
    return target;
}

bool OsTakeFileMode(OsFile& file, const std::u16string& model) {
    if (!IsOpen(file)) return false;
    const DWORD attributes = GetFileAttributesW(NativePath(model));
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    // The read-only attribute would keep the program from finishing its own file.
    constexpr DWORD Kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                           FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    FILE_BASIC_INFO info{};
    info.FileAttributes = (attributes & Kept) != 0 ? attributes & Kept : FILE_ATTRIBUTE_NORMAL;
    return SetFileInformationByHandle(HandleOf(file), FileBasicInfo, &info, sizeof info) != FALSE;
}

bool OsHardLink(const std::u16string& existing, const std::u16string& link) {
    if (!IsUsablePath(existing) || !IsUsablePath(link)) return false;
    return CreateHardLinkW(NativePath(link), NativePath(existing), nullptr) != FALSE;
}

bool OsMakeFolder(const std::u16string& path) {
    if (!IsUsablePath(path)) return false;
    if (CreateDirectoryW(NativePath(path), nullptr)) return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && OsFileSize(path) == -2;
}

std::vector<std::u16string> OsFolderFiles(const std::u16string& folder) {
    std::vector<std::u16string> names;
    if (!IsUsablePath(folder)) return names;
    const std::u16string pattern = folder + u"/*";
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(NativePath(pattern), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.emplace_back(reinterpret_cast<const char16_t*>(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

OsLockResult OsLockFile(const std::u16string& path, OsFile& lock) {
    lock = OsFile{};
    if (!IsUsablePath(path)) return OsLockResult::Unavailable;
    // No sharing at all: a second program's open fails until this handle is closed, which
    // the system does when the program ends for any reason.
    HANDLE handle = CreateFileW(NativePath(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_SHARING_VIOLATION ? OsLockResult::HeldElsewhere
                                                         : OsLockResult::Unavailable;
    }
    lock.handle = reinterpret_cast<std::intptr_t>(handle);
    return OsLockResult::Held;
}
