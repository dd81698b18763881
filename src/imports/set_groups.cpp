// SPDX-License-Identifier: GPL-3.0-or-later
// Sets into entries. A group keeps per set only its repetitions and a few characters of each
// measure; the description is put together once, when the entry is made.
#include "imports/set_groups.h"

#include <algorithm>

namespace {

constexpr char16_t NoValue[] = u"-";

// `count` times the text, joined by "/".
std::u16string Repeated(std::u16string_view text, WholeNumber count) {
    std::u16string joined;
    joined.reserve(std::size_t(count) * (text.size() + 1));
    for (WholeNumber index = 0; index < count; ++index) {
        if (index > 0) joined += u'/';
        joined += text;
    }
    return joined;
}

// The list so far with the unit after every value, all values having had the first unit.
std::u16string WithFirstUnit(const MeasureList& list) {
    const std::u16string values =
        list.sameValues ? Repeated(list.firstValue, list.count) : list.values;
    std::u16string joined;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(values.find(u'/', start), values.size());
        const std::u16string_view value = std::u16string_view(values).substr(start, end - start);
        joined += value;
        if (value != NoValue && !list.firstUnit.empty()) {
            joined += u' ';
            joined += list.firstUnit;
        }
        if (end == values.size()) return joined;
        joined += u'/';
        start = end + 1;
    }
}

void AddMeasure(MeasureList& list, std::u16string_view value, std::u16string_view unit) {
    const std::u16string_view shown = value.empty() ? std::u16string_view(NoValue) : value;
    if (list.count == 0) list.firstValue.assign(shown);
    if (list.sameValues && shown != list.firstValue) {
        list.values = Repeated(list.firstValue, list.count);
        list.sameValues = false;
    }
    if (!value.empty() && list.anyValue && list.sameUnits && unit != list.firstUnit) {
        list.withUnits = WithFirstUnit(list);
        list.sameUnits = false;
    }
    if (!value.empty() && !list.anyValue) {
        list.firstUnit.assign(unit);
        list.anyValue = true;
    }
    if (!list.sameValues) {
        if (list.count > 0) list.values += u'/';
        list.values += shown;
    }
    if (!list.sameUnits) {
        if (list.count > 0) list.withUnits += u'/';
        list.withUnits += shown;
        if (!value.empty() && !unit.empty()) {
            list.withUnits += u' ';
            list.withUnits += unit;
        }
    }
    ++list.count;
}

// "80 kg" when every set says the same, "60/80/80 kg" when the values differ, each value
// with its unit when the units differ; "" when no set has a value.
std::u16string MeasureText(const MeasureList& list) {
    if (!list.anyValue) return {};
    if (!list.sameUnits) return list.withUnits;
    std::u16string text = list.sameValues ? list.firstValue : list.values;
    if (!list.firstUnit.empty()) {
        text += u' ';
        text += list.firstUnit;
    }
    return text;
}

// The repetitions most sets have; of equally common ones the one that came first.
WholeNumber MostCommon(const std::vector<WholeNumber>& reps) {
    if (reps.empty()) return 0;
    std::vector<WholeNumber> sorted = reps;
    std::sort(sorted.begin(), sorted.end());
    const auto countOf = [&sorted](WholeNumber value) {
        const auto range = std::equal_range(sorted.begin(), sorted.end(), value);
        return range.second - range.first;
    };
    WholeNumber best = reps.front();
    auto bestCount = countOf(best);
    for (WholeNumber value : reps) {
        const auto count = countOf(value);
        if (count > bestCount) {
            best = value;
            bestCount = count;
        }
    }
    return best;
}

void AddPart(std::u16string& description, std::u16string_view part) {
    if (part.empty()) return;
    if (!description.empty()) description += u"; ";
    description += part;
}

std::u16string GroupKey(long long day, std::u16string_view name) {
    std::u16string key;
    for (int shift = 0; shift < 64; shift += 16) key.push_back(char16_t((day >> shift) & 0xFFFF));
    key += name;
    return key;
}

}  // namespace

void AddSet(SetGroups& groups, const SetRow& set, WholeNumber line) {
    const auto [found, added] =
        groups.index.try_emplace(GroupKey(set.day, set.exercise), groups.groups.size());
    if (added) {
        SetGroup& group = groups.groups.emplace_back();
        group.day = set.day;
        group.name.assign(set.exercise);
        group.firstLine = line;
    }
    SetGroup& group = groups.groups[found->second];
    ++group.sets;
    group.reps.push_back(set.reps);
    AddMeasure(group.weights, set.weight, set.weightUnit);
    AddMeasure(group.distances, set.distance, set.distanceUnit);
    AddMeasure(group.durations, set.seconds.empty() ? u"" : DurationText(set.seconds), u"");
    AddMeasure(group.rpes, set.rpe, u"");
    if (!set.notes.empty() &&
        std::find(group.notes.begin(), group.notes.end(), set.notes) == group.notes.end())
        group.notes.emplace_back(set.notes);
}

TrainingUnit EntryOfSets(const SetGroup& group) {
    TrainingUnit unit;
    unit.count1 = group.sets;
    unit.count2 = MostCommon(group.reps);
    std::u16string description;
    AddPart(description, MeasureText(group.weights));
    const bool sameReps = std::all_of(group.reps.begin(), group.reps.end(),
                                      [&group](WholeNumber reps) { return reps == group.reps[0]; });
    if (!sameReps) {
        std::u16string reps;
        for (std::size_t set = 0; set < group.reps.size(); ++set) {
            if (set > 0) reps += u'/';
            reps += FormatInteger(group.reps[set]);
        }
        AddPart(description, reps);
    }
    AddPart(description, MeasureText(group.distances));
    AddPart(description, MeasureText(group.durations));
    if (const std::u16string rpe = MeasureText(group.rpes); !rpe.empty())
        AddPart(description, u"RPE " + rpe);
    for (const std::u16string& note : group.notes) AddPart(description, note);
    unit.texts = UnitTexts(group.name, description);
    return unit;
}

std::u16string DurationText(std::u16string_view seconds) {
    const bool whole = !seconds.empty() && seconds.size() <= 15 &&
                       seconds.find_first_not_of(u"0123456789") == std::u16string_view::npos;
    if (!whole) return std::u16string(seconds) + u" s";
    long long value = 0;
    for (char16_t digit : seconds) value = value * 10 + (digit - u'0');
    if (value < 60) return FormatInteger(value) + u" s";
    std::u16string text = FormatInteger(value / 60);
    if (value % 60 != 0) {
        text += value % 60 < 10 ? u":0" : u":";
        text += FormatInteger(value % 60);
    }
    return text + u" min";
}
