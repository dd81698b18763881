// SPDX-License-Identifier: GPL-3.0-or-later
// The text block: pieces handed out from one allocation by moving a mark, each piece counted,
// so that the memory goes with the last text of the load, not with the list that loaded it.
#include "data/text_block.h"

#include <cassert>
#include <cstdint>
#include <vector>

#include "platform/os_memory.h"

// Under AddressSanitizer the pieces are marked as the allocator marks its own: the block
// unusable but for the pieces handed out, each followed by a gap, so that a text read past
// its end or after it went is still caught.
#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_MARK_PIECES 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_MARK_PIECES 1
#endif
#endif
#ifdef VELMORA_MARK_PIECES
#include <sanitizer/asan_interface.h>
#define VELMORA_UNUSABLE(start, bytes) ASAN_POISON_MEMORY_REGION(start, bytes)
#define VELMORA_USABLE(start, bytes) ASAN_UNPOISON_MEMORY_REGION(start, bytes)
#else
#define VELMORA_UNUSABLE(start, bytes) ((void)(start), (void)(bytes))
#define VELMORA_USABLE(start, bytes) ((void)(start), (void)(bytes))
#endif

namespace {

#ifdef VELMORA_MARK_PIECES
constexpr std::size_t PieceGap = 8;
constexpr std::size_t LeastAlignment = 8;
#else
constexpr std::size_t PieceGap = 0;
constexpr std::size_t LeastAlignment = 1;
#endif

// A string keeps the block that made it even when it holds no piece of it (a short or empty
// text, a moved-from one, one grown past the block): the block object therefore outlives
// every load and only its memory comes and goes. An idle block serves the next load.
class TextBlock final : public std::pmr::memory_resource {
  public:
    void Start(std::size_t bytes) {
        assert(Idle() && "a text block serves one load at a time");
        released_ = false;
        if (bytes == 0) return;
        start_ = static_cast<std::byte*>(::operator new(bytes));
        end_ = start_ + bytes;
        mark_ = start_;
        OsPreferLargePages(start_, bytes);
        VELMORA_UNUSABLE(start_, bytes);
    }

    void Release() {
        assert(!released_ && "a text block is released once per load");
        released_ = true;
        if (pieces_ == 0) FreeMemory();
    }

    bool Idle() const { return released_ && start_ == nullptr; }

  private:
    void FreeMemory() {
        VELMORA_USABLE(start_, static_cast<std::size_t>(end_ - start_));
        ::operator delete(start_);
        start_ = end_ = mark_ = nullptr;
    }

    void* do_allocate(std::size_t bytes, std::size_t alignment) override {
        const std::size_t placed = alignment < LeastAlignment ? LeastAlignment : alignment;
        const auto at = reinterpret_cast<std::uintptr_t>(mark_);
        const std::uintptr_t aligned = (at + placed - 1) & ~(std::uintptr_t(placed) - 1);
        const auto room = static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(end_) - at);
        // A piece of size zero would sit at the block's end, where it could not be told from
        // memory beyond it; like a piece that does not fit, it gets memory of its own.
        if (start_ == nullptr || bytes == 0 || aligned - at > room ||
            bytes + PieceGap > room - (aligned - at))
            return std::pmr::new_delete_resource()->allocate(bytes, alignment);
        mark_ = reinterpret_cast<std::byte*>(aligned + bytes + PieceGap);
        ++pieces_;
        VELMORA_USABLE(reinterpret_cast<void*>(aligned), bytes);
        return reinterpret_cast<void*>(aligned);
    }

    void do_deallocate(void* piece, std::size_t bytes, std::size_t alignment) override {
        // Compared as addresses: the piece may come from any allocation.
        const auto at = reinterpret_cast<std::uintptr_t>(piece);
        if (start_ == nullptr || at < reinterpret_cast<std::uintptr_t>(start_) ||
            at >= reinterpret_cast<std::uintptr_t>(end_)) {
            std::pmr::new_delete_resource()->deallocate(piece, bytes, alignment);
            return;
        }
        assert(pieces_ > 0 && "a text block takes back only pieces it handed out");
        VELMORA_UNUSABLE(piece, bytes);
        if (--pieces_ == 0 && released_) FreeMemory();
    }

    // Memory of one block cannot be given back to another.
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
        return this == &other;
    }

    std::byte* start_ = nullptr;
    std::byte* end_ = nullptr;
    std::byte* mark_ = nullptr;
    std::size_t pieces_ = 0;
    bool released_ = true;
};

// Never destroyed: texts in objects with static lifetime may still reach their block.
std::vector<TextBlock*>& AllBlocks() {
    static auto* blocks = new std::vector<TextBlock*>;
    return *blocks;
}

}  // namespace

std::pmr::memory_resource* StartTextBlock(std::size_t bytes) {
    std::vector<TextBlock*>& blocks = AllBlocks();
    TextBlock* block = nullptr;
    for (TextBlock* idle : blocks)
        if (idle->Idle()) {
            block = idle;
            break;
        }
    if (block == nullptr) block = blocks.emplace_back(new TextBlock);
    block->Start(bytes);
    return block;
}

void ReleaseTextBlock(std::pmr::memory_resource* block) {
    static_cast<TextBlock*>(block)->Release();
}
