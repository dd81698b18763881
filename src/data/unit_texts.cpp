// SPDX-License-Identifier: GPL-3.0-or-later
// A unit's two texts in one piece: copied in whole, moved by handing the piece over, the
// piece given back where it came from (text_block.cpp).
#include "data/unit_texts.h"

#include <algorithm>
#include <utility>

#include "data/text_block.h"

UnitTexts::UnitTexts(std::u16string_view name, std::u16string_view description, TextBlock* block)
    : nameSize_(name.size()), descriptionSize_(description.size()) {
    const std::size_t units = nameSize_ + descriptionSize_;
    if (units == 0) return;
    units_ = TakeTextPiece(block, units);
    std::copy(name.begin(), name.end(), units_);
    std::copy(description.begin(), description.end(), units_ + nameSize_);
}

UnitTexts::UnitTexts(const UnitTexts& other) : UnitTexts(other.Name(), other.Description()) {}

UnitTexts::UnitTexts(UnitTexts&& other) noexcept
    : units_(std::exchange(other.units_, nullptr)),
      nameSize_(std::exchange(other.nameSize_, 0)),
      descriptionSize_(std::exchange(other.descriptionSize_, 0)) {}

// Copy and move alike: `other` was made for this assignment, its destructor frees what this
// held.
UnitTexts& UnitTexts::operator=(UnitTexts other) noexcept {
    std::swap(units_, other.units_);
    std::swap(nameSize_, other.nameSize_);
    std::swap(descriptionSize_, other.descriptionSize_);
    return *this;
}

UnitTexts::~UnitTexts() {
    Free();
}

void UnitTexts::Free() noexcept {
    if (units_ != nullptr) GiveBackTextPiece(units_, nameSize_ + descriptionSize_);
    units_ = nullptr;
}
