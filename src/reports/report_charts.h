// SPDX-License-Identifier: GPL-3.0-or-later
// The report's SVG charts: the stacked weekly volume of the largest units and "other",
// and one small line chart per large unit. The page around them is report_html's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "reports/report_volumes.h"
#include "text/text_table.h"

// How many units the charts show by colour; every other unit goes into "other".
inline constexpr std::size_t ChartedUnits = 8;
// "#rrggbb" of a charted unit (0 .. ChartedUnits - 1) or, for ChartedUnits, of "other".
const char* UnitColour(std::size_t index);
// A volume with its thousands grouped by a narrow no-break space, as UTF-8.
std::string VolumeText(std::int64_t volume);
// An <svg> element; `volumes` must hold at least one week.
void AppendVolumeChart(std::string& out, const WeeklyVolumes& volumes, const TextTable& texts);
void AppendUnitChart(std::string& out, const WeeklyVolumes& volumes, std::size_t unit);
