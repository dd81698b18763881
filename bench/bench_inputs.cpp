// SPDX-License-Identifier: GPL-3.0-or-later
// Input generation for the benchmarks: a small fixed-seed generator (portable, unlike the
// standard distributions) picks names, counts and descriptions from realistic word lists.
#include "bench_inputs.h"

#include <cstdio>

#include "calendar/week_calendar.h"
#include "data/day_entries.h"

namespace {

// splitmix64: tiny, fast and identical on every platform.
struct Random {
    std::uint64_t state;
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t limit) { return static_cast<std::size_t>(Next() % limit); }
};

const char16_t* const UnitNames[] = {
    u"Laufen",      u"Kniebeugen",      u"Liegestütze", u"Plank",  u"Klimmzüge",    u"Radfahren",
    u"Schwimmen",   u"Ausfallschritte", u"Kreuzheben",  u"Rudern", u"Seilspringen", u"Dehnen",
    u"Bankdrücken", u"Burpees",         u"Sit-ups",     u"Yoga",   u"Intervalle",   u"Bergauf",
};
const char16_t* const Descriptions[] = {
    u"locker",
    u"Intervall",
    u"80 kg",
    u"langsam ausführen",
    u"hold",
    u"Pause 90 s",
    u"bergauf",
    u"mit Gewichtsweste",
    u"",
    u"Technik",
    u"Grundlage",
    u"schnell",
    u"Zirkel 3 Runden",
    u"easy",
    u"Tempo 5:30",
};
constexpr std::size_t NameCount = sizeof(UnitNames) / sizeof(UnitNames[0]);
constexpr std::size_t DescriptionCount = sizeof(Descriptions) / sizeof(Descriptions[0]);

void PutText(ByteList& bytes, std::u16string_view text) {
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
}

void PutLine(ByteList& bytes, std::u16string_view text) {
    PutText(bytes, text);
    PutText(bytes, u"\r\n");
}

std::u16string Decimal(std::int64_t value) {
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

TrainingUnit RandomUnit(Random& random) {
    // Drawn in this order, so that the same seed gives the same files.
    const std::u16string_view name = UnitNames[random.Below(NameCount)];
    const auto count1 = static_cast<WholeNumber>(1 + random.Below(6));
    const auto count2 = static_cast<WholeNumber>(5 + random.Below(60));
    return {name, count1, count2, Descriptions[random.Below(DescriptionCount)]};
}

// Most days of a logged week are rest days; a training day holds one to three units.
std::u16string RandomDayText(Random& random) {
    std::size_t roll = random.Below(100);
    std::size_t entries = roll < 78 ? 0 : roll < 94 ? 1 : roll < 99 ? 2 : 3;
    std::u16string text;
    for (std::size_t i = 0; i < entries; ++i) {
        if (i > 0) text += u'\\';
        text += DayEntryOf(RandomUnit(random));
    }
    return text;
}

}  // namespace

LocalDate BenchToday() {
    return DateOf(2025, 6, 18);  // a Wednesday; its week starts on day 167
}

ByteList UnitFileBytes(std::size_t unitCount, std::uint64_t seed) {
    Random random{seed};
    ByteList bytes;
    for (std::size_t i = 0; i < unitCount; ++i) {
        TrainingUnit unit = RandomUnit(random);
        // Users number their variants; it keeps names from repeating exactly.
        if (random.Below(3) == 0)
            unit.SetName(std::u16string(unit.Name()) + u" " +
                         Decimal(static_cast<std::int64_t>(i % 97)));
        PutLine(bytes, DayEntryOf(unit));
    }
    return bytes;
}

namespace {

// Weeks 7 days apart up to the current week (wrapping at the year's start), each day's text
// made by `dayText` from one random sequence.
template <typename DayText>
ByteList WeekBlocks(std::size_t weekCount, std::uint64_t seed, DayText dayText) {
    static const char16_t* const Keys[7] = {u"Monday", u"Tuesday",  u"Wednesday", u"Thursday",
                                            u"Friday", u"Saturday", u"Sunday"};
    SetClock([] { return BenchToday(); });
    const WholeNumber current = CurrentWeekNumber();
    SetClock({});
    Random random{seed};
    ByteList bytes;
    for (std::size_t i = 0; i < weekCount; ++i) {
        WholeNumber number = current - static_cast<WholeNumber>(7 * ((weekCount - 1 - i) % 52));
        if (number < -5) number += 364;
        PutLine(bytes, u"#" + Decimal(number));
        for (const char16_t* key : Keys) {
            PutLine(bytes, std::u16string(u"=") + key);
            PutLine(bytes, dayText(random));
        }
    }
    return bytes;
}

}  // namespace

ByteList HistoryFileBytes(std::size_t weekCount, std::uint64_t seed) {
    return WeekBlocks(weekCount, seed, RandomDayText);
}

ByteList ReportHistoryBytes(std::size_t weekCount, std::size_t unitCount, std::uint64_t seed) {
    return WeekBlocks(weekCount, seed, [unitCount](Random& random) {
        std::u16string text;
        const std::size_t entries = random.Below(100) < 30 ? 0 : 1 + random.Below(4);
        for (std::size_t entry = 0; entry < entries; ++entry) {
            TrainingUnit unit = RandomUnit(random);
            const std::size_t variant = random.Below(unitCount);
            unit.SetName(std::u16string(UnitNames[variant % NameCount]) + u" " +
                         Decimal(static_cast<std::int64_t>(variant)));
            if (entry > 0) text += u'\\';
            text += DayEntryOf(unit);
        }
        return text;
    });
}

TrainingUnit BenchUnit(std::size_t index) {
    Random random{(index % 64) * 7919 + 17};
    return RandomUnit(random);
}

std::u16string DayTextOf(std::size_t entryCount) {
    std::u16string text;
    for (std::size_t i = 0; i < entryCount; ++i) {
        if (i > 0) text += u'\\';
        text += DayEntryOf(BenchUnit(i));
    }
    return text;
}

bool WriteBytesToFile(const std::string& path, const ByteList& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
