// SPDX-License-Identifier: GPL-3.0-or-later
// The content hash on xxHash's streaming XXH3-128: a file's bytes pass through it once, as
// they are read or written, at many gigabytes a second, so that even a 50 MB load does not
// get slower by it. No adversary chooses the bytes here; the hash only has to tell two
// versions of a file apart, which 128 bits do without any collision in practice.
#include "data/content_hash.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

struct ContentHasherState {
    XXH3_state_t xxh;
};

ContentHasher::ContentHasher() : state(std::make_unique<ContentHasherState>()) {
    XXH3_128bits_reset(&state->xxh);
}

ContentHasher::~ContentHasher() = default;

void AddToHash(ContentHasher& hasher, const void* bytes, std::size_t size) {
    if (size == 0) return;
    XXH3_128bits_update(&hasher.state->xxh, bytes, size);
    hasher.bytes += static_cast<std::int64_t>(size);
}

ContentHash HashResult(const ContentHasher& hasher) {
    const XXH128_hash_t hash = XXH3_128bits_digest(&hasher.state->xxh);
    return {hash.low64, hash.high64};
}

ContentHash HashOfBytes(std::string_view bytes) {
    const XXH128_hash_t hash = XXH3_128bits(bytes.data(), bytes.size());
    return {hash.low64, hash.high64};
}
