// SPDX-License-Identifier: GPL-3.0-or-later
// A 128-bit hash of a file's bytes, taken while the file is read or written, that tells
// whether a data file still holds what the program last read or wrote. The hash function is
// XXH3-128 of Debian's xxHash, used header-only; nothing here reads files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

struct ContentHash {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    bool operator==(const ContentHash&) const = default;
};

// Takes bytes in pieces, in file order; the result is that of all of them at once.
struct ContentHasher {
    ContentHasher();
    ContentHasher(const ContentHasher&) = delete;
    ContentHasher& operator=(const ContentHasher&) = delete;
    // The hash function's state, kept here so that a hasher costs no allocation: its size and
    // alignment are checked where the state is used.
    alignas(64) unsigned char state[640];
    std::int64_t bytes = 0;  // how many bytes went in
};

void AddToHash(ContentHasher& hasher, const void* bytes, std::size_t size);
ContentHash HashResult(const ContentHasher& hasher);
ContentHash HashOfBytes(std::string_view bytes);
