// SPDX-License-Identifier: GPL-3.0-or-later
// Room for bytes or code units that are always written before they are read, and the rule
// by which the buffers that files are read and written through grow. Who fills them, and
// when, is left to the readers and writers.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

// Unlike a vector's, new room is left unset: a buffer costs no pass over its memory, and only
// the pages a read or a write reaches are ever touched, however large it is.
template <typename Item>
struct UnsetBuffer {
    std::unique_ptr<Item[]> items;
    std::size_t count = 0;
    Item* data() { return items.get(); }
    const Item* data() const { return items.get(); }
    std::size_t size() const { return count; }
    Item& operator[](std::size_t at) { return items[at]; }
};

// Gives the buffer room for `size` items, of which the first `keep` stay as they were.
template <typename Item>
void ResizeBuffer(UnsetBuffer<Item>& buffer, std::size_t size, std::size_t keep = 0) {
    auto items = std::make_unique_for_overwrite<Item[]>(size);
    keep = std::min({keep, buffer.count, size});
    if (keep > 0) std::memcpy(items.get(), buffer.items.get(), keep * sizeof(Item));
    buffer.items = std::move(items);
    buffer.count = size;
}

// A file buffer starts with this many bytes and doubles each time a file fills it, up to its
// full size: the small files, most of those read and written, take little room, and a big one
// is still read and written a full buffer at a time after the first few calls.
inline constexpr std::size_t FileBufferStartBytes = 4 * 1024;

// Doubles the buffer (an empty one gets FileBufferStartBytes), up to `full` items, keeping
// its first `keep`; false when it has all its room already. Never inlined: the writers that may
// call it for every line stay as small as they were without it.
template <typename Item>
[[gnu::noinline]] bool GrowFileBuffer(UnsetBuffer<Item>& buffer, std::size_t full,
                                      std::size_t keep) {
    if (buffer.size() >= full) return false;
    ResizeBuffer(buffer, std::min(std::max(2 * buffer.size(), FileBufferStartBytes), full), keep);
    return true;
}
