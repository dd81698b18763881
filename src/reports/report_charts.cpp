// SPDX-License-Identifier: GPL-3.0-or-later
// SVG drawing of the report's charts with plain shapes only (rect, line, polyline, text),
// so every browser and printer shows them alike and an SVG 1.1 validator accepts them.
// Geometry is computed in double: volumes can reach the int64 limit.
#include "reports/report_charts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "reports/export_text.h"

namespace {

constexpr const char* Colours[ChartedUnits + 1] = {"#4e79a7", "#f28e2b", "#e15759",
                                                   "#76b7b2", "#59a14f", "#edc948",
                                                   "#b07aa1", "#ff9da7", "#bab0ac"};
constexpr const char* SvgNamespace = "http://www.w3.org/2000/svg";
constexpr const char* NarrowSpace = "\u202F";
constexpr double DateHalfWidth = 40;

struct Plot {
    double left, top, width, height;
    double Bottom() const { return top + height; }
};

// A round upper end for an axis from 0 to `largest` with about four steps of 1, 2 or 5
// times a power of ten.
double AxisStep(double largest) {
    if (!(largest > 0)) return 1;
    const double rough = largest / 4;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough) return std::max(1.0, factor * power);
    return std::max(1.0, 10 * power);
}

// Tick labels: plain grouped digits below a million, else a number and an SI prefix.
std::string TickText(double value, double top) {
    if (top < 1e6) return VolumeText(static_cast<std::int64_t>(std::llround(value)));
    static const char* const Prefixes[] = {"", "k", "M", "G", "T", "P", "E", "Z"};
    int group = std::min(7, static_cast<int>(std::floor(std::log10(top) / 3)));
    char text[48];
    std::snprintf(text, sizeof text, "%g%s%s", value / std::pow(10.0, 3 * group), NarrowSpace,
                  Prefixes[group]);
    return text;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

void OpenSvg(std::string& out, int width, int height, const char* className) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "<svg xmlns=\"%s\" class=\"%s\" viewBox=\"0 0 %d %d\" width=\"%d\" "
                  "height=\"%d\">",
                  SvgNamespace, className, width, height, width, height);
    out += text;
}

void AppendText(std::string& out, double x, double y, const char* anchor, const char* className,
                const std::string& text) {
    out += "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" text-anchor=\"" + anchor +
           "\" class=\"" + className + "\">" + text + "</text>";
}

void AppendGridLine(std::string& out, const Plot& plot, double y, bool axis) {
    out += "<line x1=\"" + Number(plot.left) + "\" y1=\"" + Number(y) + "\" x2=\"" +
           Number(plot.left + plot.width) + "\" y2=\"" + Number(y) + "\" class=\"" +
           (axis ? "axis" : "grid") + "\"/>";
}

// Horizontal grid lines with their labels at every step from 0 to `top`.
void AppendValueAxis(std::string& out, const Plot& plot, double top, double step) {
    for (int tick = 0; tick * step <= top * (1 + 1e-9); ++tick) {
        const double value = tick * step;
        const double y = plot.Bottom() - plot.height * value / top;
        AppendGridLine(out, plot, y, tick == 0);
        AppendText(out, plot.left - 6, y + 4, "end", "tick", TickText(value, top));
    }
}

double LargestOf(const std::vector<std::int64_t>& values) {
    std::int64_t largest = 0;
    for (std::int64_t value : values) largest = std::max(largest, value);
    return static_cast<double>(largest);
}

std::string SegmentTitle(const std::u16string& name, const CivilDate& monday, std::int64_t volume) {
    return "<title>" + IsoDate(monday) + ": " + HtmlText(name) + " " + VolumeText(volume) +
           "</title>";
}

}  // namespace

const char* UnitColour(std::size_t index) {
    return Colours[std::min(index, ChartedUnits)];
}

std::string VolumeText(std::int64_t volume) {
    const std::string digits = std::to_string(volume);
    std::string text;
    const std::size_t sign = digits[0] == '-' ? 1 : 0;
    for (std::size_t at = 0; at < digits.size(); ++at) {
        const std::size_t left = digits.size() - at;
        if (at > sign && left % 3 == 0) text += NarrowSpace;
        text += digits[at];
    }
    return text;
}

void AppendVolumeChart(std::string& out, const WeeklyVolumes& volumes, const TextTable& texts) {
    constexpr int Width = 960;
    constexpr int Height = 330;
    const Plot plot{72, 12, Width - 84, Height - 52};
    const std::size_t weeks = volumes.mondays.size();
    const double step = AxisStep(LargestOf(volumes.weekTotals));
    const double top = std::max(step, std::ceil(LargestOf(volumes.weekTotals) / step) * step);
    const double slot = plot.width / static_cast<double>(std::max<std::size_t>(weeks, 1));
    const double barWidth = std::max(1.0, slot * 0.72);
    const std::u16string otherName = LookupText(texts, u"Report", u"Other");

    OpenSvg(out, Width, Height, "chart volume");
    out += "<title>" + HtmlText(LookupText(texts, u"Report", u"VolumeChart")) + "</title>";
    AppendValueAxis(out, plot, top, step);
    const std::size_t labelEvery = std::max<std::size_t>(1, (weeks + 7) / 8);
    for (std::size_t column = 0; column < weeks; ++column) {
        const double x = plot.left + slot * static_cast<double>(column) + (slot - barWidth) / 2;
        double y = plot.Bottom();
        // Largest unit at the bottom, "other" on top.
        for (std::size_t layer = 0; layer <= volumes.largest.size(); ++layer) {
            const bool other = layer == volumes.largest.size();
            const std::int64_t volume =
                other ? volumes.other[column] : volumes.largest[layer].weekly[column];
            if (volume <= 0) continue;
            const double height = plot.height * static_cast<double>(volume) / top;
            y -= height;
            out += "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" +
                   Number(barWidth) + "\" height=\"" + Number(height) + "\" fill=\"" +
                   UnitColour(other ? ChartedUnits : layer) + "\">";
            out += SegmentTitle(other ? otherName : volumes.largest[layer].name,
                                volumes.mondays[column], volume);
            out += "</rect>";
        }
        if ((weeks - 1 - column) % labelEvery == 0) {
            // Kept inside the picture: a date is about 76 units wide at this size.
            const double centre =
                std::clamp(x + barWidth / 2, plot.left + DateHalfWidth, Width - DateHalfWidth);
            AppendText(out, centre, plot.Bottom() + 20, "middle", "tick",
                       IsoDate(volumes.mondays[column]));
        }
    }
    out += "</svg>";
}

void AppendUnitChart(std::string& out, const WeeklyVolumes& volumes, std::size_t unit) {
    constexpr int Width = 260;
    constexpr int Height = 124;
    const Plot plot{44, 10, Width - 52, Height - 34};
    const UnitVolumes& series = volumes.largest[unit];
    const std::size_t weeks = series.weekly.size();
    const double largest = LargestOf(series.weekly);
    const double step = AxisStep(largest);
    const double top = std::max(step, std::ceil(largest / step) * step);
    const double slot = weeks > 1 ? plot.width / static_cast<double>(weeks - 1) : 0;

    OpenSvg(out, Width, Height, "chart spark");
    out += "<title>" + HtmlText(series.name) + "</title>";
    AppendGridLine(out, plot, plot.top, false);
    AppendText(out, plot.left - 6, plot.top + 4, "end", "tick", TickText(top, top));
    AppendGridLine(out, plot, plot.Bottom(), true);
    AppendText(out, plot.left - 6, plot.Bottom() + 4, "end", "tick", "0");

    std::string points;
    double lastX = plot.left, lastY = plot.Bottom();
    for (std::size_t column = 0; column < weeks; ++column) {
        lastX =
            weeks > 1 ? plot.left + slot * static_cast<double>(column) : plot.left + plot.width / 2;
        lastY = plot.Bottom() - plot.height * static_cast<double>(series.weekly[column]) / top;
        if (!points.empty()) points += ' ';
        points += Number(lastX) + "," + Number(lastY);
    }
    const std::string colour = UnitColour(unit);
    const std::string first = Number(weeks > 1 ? plot.left : lastX);
    out += "<polygon points=\"" + first + "," + Number(plot.Bottom()) + " " + points + " " +
           Number(lastX) + "," + Number(plot.Bottom()) + "\" fill=\"" + colour +
           "\" fill-opacity=\"0.16\" stroke=\"none\"/>";
    out += "<polyline points=\"" + points + "\" fill=\"none\" stroke=\"" + colour +
           "\" stroke-width=\"2\" stroke-linejoin=\"round\"/>";
    out += "<circle cx=\"" + Number(lastX) + "\" cy=\"" + Number(lastY) + "\" r=\"3\" fill=\"" +
           colour + "\"/>";
    AppendText(out, plot.left, plot.Bottom() + 18, "start", "tick",
               IsoDate(volumes.mondays.front()));
    if (weeks > 1) {
        AppendText(out, plot.left + plot.width, plot.Bottom() + 18, "end", "tick",
                   IsoDate(volumes.mondays.back()));
    }
    out += "</svg>";
}
