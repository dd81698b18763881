// SPDX-License-Identifier: GPL-3.0-or-later
// The content hash on xxHash's streaming XXH3-128: a file's bytes pass through it once, as
// they are read or written, at many gigabytes a second, so that even a 50 MB load does not
// get slower by it. No adversary chooses the bytes here; the hash only has to tell two
// versions of a file apart, which 128 bits do without any collision in practice.
#include "data/content_hash.h"

#include <new>

#define XXH_INLINE_ALL
#include <xxhash.h>

static_assert(sizeof(XXH3_state_t) <= sizeof(ContentHasher::state) &&
                  alignof(XXH3_state_t) <= alignof(ContentHasher),
              "the hasher's room holds the hash function's state");

namespace {

XXH3_state_t* StateOf(ContentHasher& hasher) {
    return std::launder(reinterpret_cast<XXH3_state_t*>(hasher.state));
}

const XXH3_state_t* StateOf(const ContentHasher& hasher) {
    return std::launder(reinterpret_cast<const XXH3_state_t*>(hasher.state));
}

}  // namespace

ContentHasher::ContentHasher() {
    XXH3_128bits_reset(new (state) XXH3_state_t{});
}

void AddToHash(ContentHasher& hasher, const void* bytes, std::size_t size) {
    if (size == 0) return;
    XXH3_128bits_update(StateOf(hasher), bytes, size);
    hasher.bytes += static_cast<std::int64_t>(size);
}

ContentHash HashResult(const ContentHasher& hasher) {
    const XXH128_hash_t hash = XXH3_128bits_digest(StateOf(hasher));
    return {hash.low64, hash.high64};
}

ContentHash HashOfBytes(std::string_view bytes) {
    const XXH128_hash_t hash = XXH3_128bits(bytes.data(), bytes.size());
    return {hash.low64, hash.high64};
}
