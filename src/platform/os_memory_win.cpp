// SPDX-License-Identifier: GPL-3.0-or-later
// Memory hints on Windows: large pages need a privilege that a desktop program does not
// hold, so the hint does nothing here.
#include "platform/os_memory.h"

void OsPreferLargePages(void* start, std::size_t bytes) {
    (void)start;
    (void)bytes;
}
