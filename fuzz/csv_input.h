// SPDX-License-Identifier: GPL-3.0-or-later
// The input of the two CSV targets, which share their seeds: a byte choosing the pieces the
// reader is handed (fuzz_csv_reader), a byte choosing the header put in front (0 none,
// 1 Strong, 2 older Strong, 3 Hevy, 4 Velmora), then the rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

namespace fuzz {

inline constexpr std::size_t CsvPrefixBytes = 2;

// The file's bytes: the chosen header, then the rows. The input holds the prefix.
inline std::string CsvFileBytes(const std::uint8_t* data, std::size_t size) {
    static const char* const Headers[] = {
        "",
        "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,"
        "Workout Notes,RPE\n",
        "Date;Workout Name;Exercise Name;Set Order;Weight;Weight Unit;Reps;RPE;Distance;"
        "Distance Unit;Seconds;Notes;Workout Notes;Workout Duration\n",
        "title,start_time,end_time,description,exercise_title,superset_id,exercise_notes,"
        "set_index,set_type,weight_kg,reps,distance_km,duration_seconds,rpe\n",
        "Week,Monday of the week,Date,Weekday,Unit,Count 1,Count 2,Description\r\n",
    };
    const std::string_view header = Headers[data[1] % std::size(Headers)];
    std::string bytes;
    bytes.reserve(header.size() + size - CsvPrefixBytes);
    bytes.append(header);
    bytes.append(reinterpret_cast<const char*>(data + CsvPrefixBytes), size - CsvPrefixBytes);
    return bytes;
}

}  // namespace fuzz
