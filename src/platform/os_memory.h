// SPDX-License-Identifier: GPL-3.0-or-later
// Memory hints to the operating system for the large lists a load fills at once; a hint
// only, with no effect on what the program computes (os_memory_posix.cpp, os_memory_win.cpp).
#pragma once

#include <cstddef>

// Asks for large pages behind [start, start + bytes): filling a list of tens of megabytes
// then takes a few hundred page faults instead of tens of thousands. Regions too small to
// gain anything, and systems without the feature, are left as they are.
void OsPreferLargePages(void* start, std::size_t bytes);
