// SPDX-License-Identifier: GPL-3.0-or-later
// The base kept beside the document. A day's original is copied once, at its first change,
// so an ordinary session keeps a handful of texts and a 50 MB history no second copy.
#include "data/merge_base.h"

#include <algorithm>

namespace {

std::vector<WholeNumber> HeldNumbers(const Document& document) {
    std::vector<WholeNumber> numbers;
    numbers.reserve(document.history.size());
    for (const TrainingWeek& week : document.history) numbers.push_back(week.weekNumber);
    return numbers;
}

bool RunStandsAt(const Document& document, std::size_t offset) {
    const std::vector<WholeNumber>& run = document.historyBase.weekNumbers;
    if (offset + run.size() > document.history.size()) return false;
    for (std::size_t i = 0; i < run.size(); ++i)
        if (document.history[offset + i].weekNumber != run[i]) return false;
    return true;
}

}  // namespace

void SetHistoryBase(Document& document, const FileBase& file) {
    HistoryBase& base = document.historyBase;
    base.file = file;
    base.weekNumbers = HeldNumbers(document);
    base.originals.clear();
    base.offset = 0;
    base.heldWeeks = document.history.size();
    base.found = true;
}

void SetCatalogueBase(Document& document, const FileBase& file, std::size_t units) {
    document.unitBase.file = file;
    document.unitBase.units = units;
}

std::optional<std::size_t> BaseRunInHistory(Document& document) {
    HistoryBase& base = document.historyBase;
    const std::size_t held = document.history.size();
    if (held == base.heldWeeks) {
        if (!base.found) return std::nullopt;
        return base.offset;
    }
    // Weeks came or went since: most likely all at the end (the catch-up) or all at the
    // front (an import of older weeks), so those two places are tried before any search.
    const std::size_t grown = held > base.heldWeeks ? held - base.heldWeeks : 0;
    std::optional<std::size_t> place;
    if (base.found && RunStandsAt(document, base.offset)) {
        place = base.offset;
    } else if (base.found && RunStandsAt(document, base.offset + grown)) {
        place = base.offset + grown;
    } else if (base.weekNumbers.empty()) {
        place = 0;
    } else {
        const std::vector<std::size_t> places =
            PlacesOfRun(HeldNumbers(document), base.weekNumbers, 1);
        if (!places.empty()) place = places.front();
    }
    base.heldWeeks = held;
    base.found = place.has_value();
    base.offset = place.value_or(0);
    return place;
}

void NoteDayOriginal(Document& document, WholeNumber week, WholeNumber day) {
    if (week < 0 || std::size_t(week) >= document.history.size() || day < 0 || day > 6) return;
    const std::optional<std::size_t> offset = BaseRunInHistory(document);
    if (!offset || std::size_t(week) < *offset) return;
    const std::size_t baseWeek = std::size_t(week) - *offset;
    if (baseWeek >= document.historyBase.weekNumbers.size()) return;
    // Only the first change keeps a text: later ones would keep an edited one.
    const std::size_t key = baseWeek * 7 + std::size_t(day);
    auto& originals = document.historyBase.originals;
    if (originals.find(key) != originals.end()) return;
    originals.emplace(key, document.history[std::size_t(week)].days[std::size_t(day)]);
}

std::u16string_view BaseDayText(const Document& document, std::size_t offset, std::size_t baseWeek,
                                std::size_t day) {
    const auto& originals = document.historyBase.originals;
    const auto found = originals.find(baseWeek * 7 + day);
    if (found != originals.end()) return found->second;
    const std::size_t held = offset + baseWeek;
    if (held >= document.history.size() || day > 6) return {};
    return document.history[held].days[day];
}

bool HoldsUnsavedChanges(Document& document) {
    if (document.catalogue.size() != document.unitBase.units) return true;
    const std::optional<std::size_t> offset = BaseRunInHistory(document);
    if (!offset || *offset > 0) return true;
    const HistoryBase& base = document.historyBase;
    for (const auto& [key, original] : base.originals) {
        const std::size_t held = *offset + key / 7;
        if (document.history[held].days[key % 7] != original) return true;
    }
    for (std::size_t week = base.weekNumbers.size(); week < document.history.size(); ++week) {
        const auto& days = document.history[week].days;
        if (std::any_of(days.begin(), days.end(),
                        [](const std::u16string& text) { return !text.empty(); }))
            return true;
    }
    return false;
}
