// SPDX-License-Identifier: GPL-3.0-or-later
// One block of memory for the many short texts a load creates at once: a load takes its
// texts from it instead of allocating each one. What the texts are is the loader's.
#pragma once

#include <cstddef>

class TextBlock;

// A block for the texts of one load: `bytes` of text in at most `pieces` pieces. The block's
// memory stays until the load has let go of it (ReleaseTextBlock) and every piece taken from
// it is given back, whichever comes last, so a text may outlive the list it was loaded into.
// Not for use from two threads at once.
TextBlock* StartTextBlock(std::size_t bytes, std::size_t pieces);
// The load is done with the block: its memory goes with its last piece (at once when it holds
// none).
void ReleaseTextBlock(TextBlock* block);
// Room for `units` code units (at least one): from the block, or memory of its own when the
// block is null or full. Each piece goes back through GiveBackTextPiece with the same size.
char16_t* TakeTextPiece(TextBlock* block, std::size_t units);
// Gives a piece back to the block that handed it out, or frees it when it had its own memory.
void GiveBackTextPiece(char16_t* piece, std::size_t units);
