// SPDX-License-Identifier: GPL-3.0-or-later
// The file services in memory (os_file_memory.cpp), built instead of the system's for the
// fuzz targets and the test of this seam: what they need to put files in, look at them and
// start again. One set of files per process, for one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Forgets every file, folder and link and closes every handle: an empty current folder.
void ResetMemoryFiles();
// Gives the file at `path` (a link followed) these bytes, creating it (mode 0644) when it is
// missing; false when its folder does not exist or a folder stands there.
bool PutMemoryFile(const std::u16string& path, std::string_view bytes);
// The bytes of the file at `path` (a link followed); false when no file is there.
bool MemoryFileBytes(const std::u16string& path, std::string& bytes);
// A symbolic link at `path` that names `target` (relative to the link's folder unless it
// starts with "/"); false when something is there already or the folder is missing.
bool PutMemoryLink(const std::u16string& path, const std::u16string& target);
// Sets when the file or folder at `path` (a link followed) last changed; false when nothing
// is there. Until a time is set, the files keep none; each later change moves a file's time
// on by a nanosecond past the latest one given.
bool SetMemoryFileTime(const std::u16string& path, std::int64_t secondsSinceEpoch);
// Sets the permission bits of the file or folder at `path` (a link followed); false when
// nothing is there.
bool SetMemoryFileMode(const std::u16string& path, unsigned mode);
// The handles open now, lock files included.
std::size_t OpenMemoryFiles();
