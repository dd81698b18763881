// SPDX-License-Identifier: GPL-3.0-or-later
// Resamples a decoded picture to another size for a back end that shows it at a display scale:
// separable weights per axis, colours weighted by alpha. Which size to show is the back
// end's business.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "app/picture.h"

namespace {

// The old pixels one new pixel of an axis is made of: from `first` on, one weight each.
struct Taps {
    int first = 0;
    std::vector<double> weights;
};

std::vector<Taps> AxisTaps(int from, int to) {
    std::vector<Taps> axis(static_cast<std::size_t>(to));
    const double step = double(from) / double(to);
    for (int i = 0; i < to; ++i) {
        Taps& taps = axis[std::size_t(i)];
        if (to >= from) {
            // Enlarging: linear between the two nearest old pixel centres.
            const double centre = std::clamp((i + 0.5) * step - 0.5, 0.0, double(from - 1));
            taps.first = int(std::floor(centre));
            const double part = centre - taps.first;
            taps.weights.push_back(1.0 - part);
            if (taps.first + 1 < from) taps.weights.push_back(part);
            continue;
        }
        // Shrinking: every old pixel by the share of it the new one covers.
        const double low = i * step;
        const double high = (i + 1) * step;
        taps.first = int(std::floor(low));
        const int last = std::min(from, int(std::ceil(high))) - 1;
        for (int j = taps.first; j <= last; ++j) {
            const double covered = std::min(high, double(j + 1)) - std::max(low, double(j));
            taps.weights.push_back(std::max(0.0, covered) / step);
        }
    }
    return axis;
}

}  // namespace

Picture ScalePicture(const Picture& picture, int width, int height) {
    if (!IsUsablePicture(picture) || width < 1 || height < 1) return Picture();
    if (width == picture.width && height == picture.height) return picture;
    const int channels = picture.bitsPerPixel / 8;
    const bool alpha = channels == 4;
    const std::vector<Taps> across = AxisTaps(picture.width, width);
    const std::vector<Taps> down = AxisTaps(picture.height, height);

    Picture scaled;
    scaled.width = width;
    scaled.height = height;
    scaled.bitsPerPixel = picture.bitsPerPixel;
    scaled.pixels.resize(std::size_t(width) * std::size_t(height) * std::size_t(channels));
    // One old-width row at a time, premultiplied (red, green, blue times alpha, then alpha),
    // so that memory stays at a row whatever the size.
    std::vector<double> row(std::size_t(picture.width) * 4);
    const std::size_t oldStride = std::size_t(picture.width) * std::size_t(channels);
    std::uint8_t* out = scaled.pixels.data();
    for (int y = 0; y < height; ++y) {
        std::fill(row.begin(), row.end(), 0.0);
        const Taps& rows = down[std::size_t(y)];
        for (std::size_t k = 0; k < rows.weights.size(); ++k) {
            const std::uint8_t* in =
                picture.pixels.data() + std::size_t(rows.first + int(k)) * oldStride;
            const double weight = rows.weights[k];
            for (int x = 0; x < picture.width; ++x, in += channels) {
                const double a = alpha ? in[3] / 255.0 : 1.0;
                double* sum = &row[std::size_t(x) * 4];
                sum[0] += weight * in[0] * a;
                sum[1] += weight * in[1] * a;
                sum[2] += weight * in[2] * a;
                sum[3] += weight * a;
            }
        }
        for (int x = 0; x < width; ++x, out += channels) {
            const Taps& columns = across[std::size_t(x)];
            double sum[4] = {0.0, 0.0, 0.0, 0.0};
            for (std::size_t k = 0; k < columns.weights.size(); ++k) {
                const double* from = &row[std::size_t(columns.first + int(k)) * 4];
                for (int c = 0; c < 4; ++c) sum[c] += columns.weights[k] * from[c];
            }
            const double coverage = sum[3];
            for (int c = 0; c < 3; ++c) {
                const double value = coverage > 0.0 ? sum[c] / coverage : 0.0;
                out[c] = std::uint8_t(std::clamp(std::lround(value), 0L, 255L));
            }
            if (alpha) out[3] = std::uint8_t(std::clamp(std::lround(coverage * 255.0), 0L, 255L));
        }
    }
    return scaled;
}
