// SPDX-License-Identifier: GPL-3.0-or-later
// The import's changes to the document, made day by day in history order: a day's existing
// entries are counted once, and an imported entry that finds an identical one still unclaimed
// there is not added again. So importing a file twice changes nothing, while a day that
// holds the same entry twice in the file gets it twice.
#include "imports/training_import.h"

#include <algorithm>
#include <climits>
#include <unordered_map>
#include <unordered_set>

#include "calendar/week_dates.h"
#include "data/day_entries.h"
#include "data/unit_catalogue.h"
#include "imports/week_placement.h"

namespace {

long long MondayOf(long long day) {
    return day - MondayFirstWeekday(day);
}

// The weeks the entries need, by Monday, each once; a number from the file goes with its week.
std::vector<WantedWeek> WantedWeeks(const TrainingFile& file, long long newestMonday) {
    std::vector<WantedWeek> wanted;
    wanted.reserve(file.entries.size());
    for (const DatedEntry& entry : file.entries) {
        const long long monday = MondayOf(entry.day);
        if (monday <= newestMonday) wanted.push_back({monday, entry.numbered, entry.weekNumber});
    }
    std::stable_sort(wanted.begin(), wanted.end(),
                     [](const WantedWeek& a, const WantedWeek& b) { return a.monday < b.monday; });
    // Each Monday once, in place: the first numbered week of a Monday, else its first.
    std::size_t distinct = 0;
    for (const WantedWeek& week : wanted) {
        if (distinct > 0 && wanted[distinct - 1].monday == week.monday) {
            if (!wanted[distinct - 1].numbered && week.numbered) wanted[distinct - 1] = week;
            continue;
        }
        wanted[distinct++] = week;
    }
    wanted.resize(distinct);
    return wanted;
}

// What makes two entries the same: their counts and texts, the texts without outer blanks,
// which a day text loses at its ends (it is trimmed as a whole when read). Written into `key`,
// whose room is reused.
void SameEntryKey(std::u16string_view name, WholeNumber count1, WholeNumber count2,
                  std::u16string_view description, std::u16string& key) {
    key.clear();
    AppendEntryText(key, TrimSpaces(name), count1, count2, TrimSpaces(description));
}

struct Target {
    WholeNumber week = 0;
    WholeNumber day = 0;
    std::size_t entry = 0;
};

// Appends the day's entries that do not stand there yet and notes the day if it changed.
void AddToDay(Document& document, const TrainingFile& file, const Target* first, const Target* end,
              ImportChanges& changes) {
    const WholeNumber week = first->week;
    const WholeNumber day = first->day;
    std::u16string& text = document.history[std::size_t(week)].days[std::size_t(day)];
    std::unordered_map<std::u16string, WholeNumber> present;
    std::u16string key;
    DayEntryWalk walk = StartDayEntries(text);
    std::u16string_view entryText;
    while (NextDayEntry(walk, entryText)) {
        const DayEntry entry = CutDayEntry(entryText);
        SameEntryKey(entry.name, ParseCount(entry.count1), ParseCount(entry.count2),
                     entry.description, key);
        ++present[key];
    }
    std::u16string before = text;
    bool changed = false;
    for (const Target* target = first; target != end; ++target) {
        const TrainingUnit& unit = file.entries[target->entry].unit;
        SameEntryKey(unit.Name(), unit.count1, unit.count2, unit.Description(), key);
        const auto found = present.find(key);
        if (found != present.end() && found->second > 0) {
            --found->second;
            ++changes.entriesPresent;
            continue;
        }
        // A day of blanks holds no entry; appending to it would make its blanks one.
        if (!changed && TrimSpaces(text).empty()) text.clear();
        AppendDayEntry(document, week, day, unit);
        ++changes.entriesAdded;
        changed = true;
    }
    if (changed) changes.days.push_back({week, day, std::move(before)});
}

struct NewUnit {
    const TrainingUnit* latest = nullptr;
    long long day = 0;
};

void AddMissingUnits(Document& document, const TrainingFile& file,
                     const std::vector<Target>& targets, ImportChanges& changes) {
    std::unordered_set<std::u16string_view> known;
    for (const TrainingUnit& unit : document.catalogue) known.insert(TrimSpaces(unit.Name()));
    std::vector<std::u16string_view> order;
    std::unordered_map<std::u16string_view, NewUnit> missing;
    // In file order: the first appearance sets the order, the latest day the counts.
    std::vector<std::size_t> accepted;
    accepted.reserve(targets.size());
    for (const Target& target : targets) accepted.push_back(target.entry);
    std::sort(accepted.begin(), accepted.end());
    for (std::size_t index : accepted) {
        const DatedEntry& entry = file.entries[index];
        const std::u16string_view key = TrimSpaces(entry.unit.Name());
        if (known.count(key) != 0) continue;
        auto [found, added] = missing.try_emplace(key);
        if (added) order.push_back(key);
        if (found->second.latest == nullptr || entry.day >= found->second.day)
            found->second = {&entry.unit, entry.day};
    }
    for (std::u16string_view key : order) {
        const TrainingUnit& unit = *missing[key].latest;
        AddUnit(document, unit.Name(), unit.count1, unit.count2, u"");
        ++changes.unitsAdded;
    }
}

}  // namespace

ImportChanges ApplyTrainingImport(Document& document, const TrainingFile& file,
                                  const LocalDate& today) {
    ImportChanges changes;
    changes.skipped = file.skipped;
    const LocalDate evidence = EvidenceDay(document.lastWeekEvidence, today);
    std::vector<long long> mondays = WeekMondayDays(document.history, evidence);
    const long long newest = mondays.empty() ? LLONG_MIN : mondays.back();

    std::vector<WholeNumber> added;
    if (!mondays.empty() &&
        PlaceWeeks(document.history, mondays, evidence, WantedWeeks(file, newest), added)) {
        for (WholeNumber position : added)
            changes.weeks.push_back({position, document.history[std::size_t(position)].weekNumber});
    }
    // The weeks by Monday, the first of equal ones (a damaged history can repeat a Monday, and
    // its Mondays need not be in order): one sorted list, not a node per week.
    std::vector<std::pair<long long, WholeNumber>> weekOfMonday(mondays.size());
    for (std::size_t position = 0; position < mondays.size(); ++position)
        weekOfMonday[position] = {mondays[position], WholeNumber(position)};
    std::sort(weekOfMonday.begin(), weekOfMonday.end());

    std::vector<Target> targets;
    targets.reserve(file.entries.size());
    for (std::size_t index = 0; index < file.entries.size(); ++index) {
        const DatedEntry& entry = file.entries[index];
        const long long monday = MondayOf(entry.day);
        const auto week = std::lower_bound(weekOfMonday.begin(), weekOfMonday.end(),
                                           std::pair<long long, WholeNumber>(monday, 0));
        if (week == weekOfMonday.end() || week->first != monday) {
            const SkipReason reason = monday > newest ? SkipReason::Later : SkipReason::NoWeek;
            NoteSkipped(changes.skipped, entry.line, reason, entry.rows);
            continue;
        }
        targets.push_back({week->second, WholeNumber(entry.day - monday), index});
    }
    std::stable_sort(targets.begin(), targets.end(), [](const Target& a, const Target& b) {
        return a.week != b.week ? a.week < b.week : a.day < b.day;
    });
    for (std::size_t start = 0; start < targets.size();) {
        std::size_t end = start;
        while (end < targets.size() && targets[end].week == targets[start].week &&
               targets[end].day == targets[start].day)
            ++end;
        AddToDay(document, file, targets.data() + start, targets.data() + end, changes);
        start = end;
    }
    AddMissingUnits(document, file, targets, changes);
    return changes;
}

WholeNumber PositionAfterImport(const ImportChanges& changes, WholeNumber before) {
    std::vector<WholeNumber> positions;
    positions.reserve(changes.weeks.size());
    for (const AddedWeek& week : changes.weeks) positions.push_back(week.position);
    return PositionAfterAdding(positions, before);
}
