// SPDX-License-Identifier: GPL-3.0-or-later
// The sets of one exercise on one day, gathered from the rows of Strong's or Hevy's export,
// and the entry they become: count1 the number of sets, count2 the most common repetitions,
// the description what else the sets say, short ("80 kg; 10/8/8", "5 km", "30 s", the notes).
// Each set adds a few characters only, so a file's sets never need to be kept one by one.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "data/document.h"
#include "imports/import_rows.h"

// One measure (weight, distance, time, RPE) of a group's sets, as its description shows it.
// While every set says the same only the first value is kept; the lists are written out
// once the values (or their units) first differ.
struct MeasureList {
    WholeNumber count = 0;      // sets so far
    std::u16string firstValue;  // the first set's value, "-" for a set without
    std::u16string firstUnit;   // the unit of the first set that has a value
    bool anyValue = false;
    bool sameValues = true;
    bool sameUnits = true;
    std::u16string values;     // once the values differ: each set's joined by "/"
    std::u16string withUnits;  // once the units differ: the same, each with its unit
};

struct SetGroup {
    long long day = 0;
    std::u16string name;
    WholeNumber firstLine = 0;  // the line of its first set
    WholeNumber sets = 0;
    std::vector<WholeNumber> reps;  // per set, in order
    MeasureList weights;
    MeasureList distances;
    MeasureList durations;
    MeasureList rpes;
    std::vector<std::u16string> notes;  // distinct, in the order they came
};

struct SetGroups {
    std::vector<SetGroup> groups;                           // in the order of their first sets
    std::unordered_map<std::u16string, std::size_t> index;  // by day and name
};

// Adds the set to the group of its day and exercise (a new group after the others when
// there is none yet).
void AddSet(SetGroups& groups, const SetRow& set, WholeNumber line);
// The entry of a group's sets.
TrainingUnit EntryOfSets(const SetGroup& group);
// "45 s", "2 min", "1:30 min": a time in seconds as a description shows it; a value that is
// not whole seconds keeps its decimals ("2.5 s").
std::u16string DurationText(std::u16string_view seconds);
