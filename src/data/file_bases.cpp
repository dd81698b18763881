// SPDX-License-Identifier: GPL-3.0-or-later
// The search of a run of week numbers, the one way both the weeks held and the weeks on disk
// are matched against the base: a prefix-function scan, so that even a damaged history of
// equal numbers costs linear time.
#include "data/file_bases.h"

std::vector<std::size_t> PlacesOfRun(const std::vector<WholeNumber>& numbers,
                                     const std::vector<WholeNumber>& run, std::size_t most) {
    std::vector<std::size_t> places;
    if (run.empty() || run.size() > numbers.size() || most == 0) return places;
    // border[i]: the length of the longest proper prefix of run[0..i] that is also its suffix.
    std::vector<std::size_t> border(run.size(), 0);
    for (std::size_t i = 1, k = 0; i < run.size(); ++i) {
        while (k > 0 && run[i] != run[k]) k = border[k - 1];
        if (run[i] == run[k]) ++k;
        border[i] = k;
    }
    for (std::size_t i = 0, k = 0; i < numbers.size(); ++i) {
        while (k > 0 && numbers[i] != run[k]) k = border[k - 1];
        if (numbers[i] == run[k]) ++k;
        if (k == run.size()) {
            places.push_back(i + 1 - run.size());
            if (places.size() == most) break;
            k = border[k - 1];
        }
    }
    return places;
}
