// SPDX-License-Identifier: GPL-3.0-or-later
// Peak-memory measurement for the reliability tests through /proc (Linux): the peak is reset
// by writing 5 to clear_refs and read back as VmHWM.
#include <fstream>
#include <string>

#include "reliability/reliability_support.h"

namespace reliability {

namespace {

std::int64_t StatusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, field.size() + 1, field + ":") != 0) continue;
        return std::stoll(line.substr(field.size() + 1));
    }
    return -1;
}

}  // namespace

bool ResetPeakMemory() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear) && PeakMemoryBytes() >= 0;
}

std::int64_t PeakMemoryBytes() {
    std::int64_t kilobytes = StatusKilobytes("VmHWM");
    return kilobytes < 0 ? -1 : kilobytes * 1024;
}

std::int64_t CurrentMemoryBytes() {
    std::int64_t kilobytes = StatusKilobytes("VmRSS");
    return kilobytes < 0 ? -1 : kilobytes * 1024;
}

}  // namespace reliability
