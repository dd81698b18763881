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
constexpr std::uintptr_t LeastAlignment = 8;
#else
constexpr std::size_t PieceGap = 0;
constexpr std::uintptr_t LeastAlignment = alignof(char16_t);
#endif
// What a piece may take beyond its text: the gap and the alignment of its start.
constexpr std::size_t PieceOverhead = PieceGap + LeastAlignment - alignof(char16_t);

}  // namespace

// A unit's texts keep no pointer to the block that holds them: the block is found by the
// piece's address when the piece goes back. The block object therefore outlives every load and
// only its memory comes and goes. An idle block serves the next load.
class TextBlock {
  public:
    void Start(std::size_t textBytes, std::size_t pieces) {
        assert(Idle() && "a text block serves one load at a time");
        released_ = false;
        if (textBytes == 0) return;
        const std::size_t bytes = textBytes + pieces * PieceOverhead;
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

    bool Holds(const void* piece) const {
        // Compared as addresses: the piece may come from any allocation.
        const auto at = reinterpret_cast<std::uintptr_t>(piece);
        return start_ != nullptr && at >= reinterpret_cast<std::uintptr_t>(start_) &&
               at < reinterpret_cast<std::uintptr_t>(end_);
    }

    // Null when the piece does not fit.
    char16_t* Take(std::size_t bytes) {
        const auto at = reinterpret_cast<std::uintptr_t>(mark_);
        const std::uintptr_t aligned = (at + LeastAlignment - 1) & ~(LeastAlignment - 1);
        const auto room = static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(end_) - at);
        if (start_ == nullptr || aligned - at > room || bytes + PieceGap > room - (aligned - at))
            return nullptr;
        mark_ = reinterpret_cast<std::byte*>(aligned + bytes + PieceGap);
        ++pieces_;
        VELMORA_USABLE(reinterpret_cast<void*>(aligned), bytes);
        return reinterpret_cast<char16_t*>(aligned);
    }

    void GiveBack(void* piece, std::size_t bytes) {
        assert(pieces_ > 0 && "a text block takes back only pieces it handed out");
        VELMORA_UNUSABLE(piece, bytes);
        if (--pieces_ == 0 && released_) FreeMemory();
    }

  private:
    void FreeMemory() {
        VELMORA_USABLE(start_, static_cast<std::size_t>(end_ - start_));
        ::operator delete(start_);
        start_ = end_ = mark_ = nullptr;
    }

    std::byte* start_ = nullptr;
    std::byte* end_ = nullptr;
    std::byte* mark_ = nullptr;
    std::size_t pieces_ = 0;
    bool released_ = true;
};

namespace {

// Never destroyed: texts in objects with static lifetime may still reach their block.
std::vector<TextBlock*>& AllBlocks() {
    static auto* blocks = new std::vector<TextBlock*>;
    return *blocks;
}

}  // namespace

TextBlock* StartTextBlock(std::size_t bytes, std::size_t pieces) {
    std::vector<TextBlock*>& blocks = AllBlocks();
    TextBlock* block = nullptr;
    for (TextBlock* idle : blocks)
        if (idle->Idle()) {
            block = idle;
            break;
        }
    if (block == nullptr) block = blocks.emplace_back(new TextBlock);
    block->Start(bytes, pieces);
    return block;
}

void ReleaseTextBlock(TextBlock* block) {
    block->Release();
}

char16_t* TakeTextPiece(TextBlock* block, std::size_t units) {
    assert(units > 0 && "a text piece holds at least one code unit");
    const std::size_t bytes = units * sizeof(char16_t);
    if (block != nullptr)
        if (char16_t* piece = block->Take(bytes)) return piece;
    return static_cast<char16_t*>(::operator new(bytes));
}

void GiveBackTextPiece(char16_t* piece, std::size_t units) {
    for (TextBlock* block : AllBlocks())
        if (block->Holds(piece)) {
            block->GiveBack(piece, units * sizeof(char16_t));
            return;
        }
    ::operator delete(piece);
}
