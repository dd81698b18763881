// SPDX-License-Identifier: GPL-3.0-or-later
// One block of memory for the many short texts a load creates at once: a load takes its
// texts from it instead of allocating each one. What the texts are is the loader's.
#pragma once

#include <cstddef>
#include <memory_resource>

// A block of about `bytes` for the texts of one load. Texts that do not fit get memory of
// their own. The block's memory stays until the load has let go of it (ReleaseTextBlock) and
// every text taken from it is gone, whichever comes last, so a text may outlive the list it
// was loaded into. Not for use from two threads at once.
std::pmr::memory_resource* StartTextBlock(std::size_t bytes);
// The load is done with the block: its memory goes with its last text (at once when it holds
// none).
void ReleaseTextBlock(std::pmr::memory_resource* block);
