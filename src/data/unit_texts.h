// SPDX-License-Identifier: GPL-3.0-or-later
// A unit's name and description, held together in one piece of memory: a catalogue of a
// million units then needs a million small allocations, not two, and its records stay small.
// Where the piece comes from is text_block's.
#pragma once

#include <cstddef>
#include <string_view>

class TextBlock;

class UnitTexts {
  public:
    UnitTexts() noexcept = default;
    // Copies both texts; their piece comes from `block` when one is given (text_block.h).
    UnitTexts(std::u16string_view name, std::u16string_view description,
              TextBlock* block = nullptr);
    UnitTexts(const UnitTexts& other);
    UnitTexts(UnitTexts&& other) noexcept;
    UnitTexts& operator=(UnitTexts other) noexcept;
    ~UnitTexts();

    std::u16string_view Name() const { return {units_, nameSize_}; }
    std::u16string_view Description() const { return {units_ + nameSize_, descriptionSize_}; }

  private:
    void Free() noexcept;

    char16_t* units_ = nullptr;  // null when both texts are empty
    std::size_t nameSize_ = 0;
    std::size_t descriptionSize_ = 0;
};
