// SPDX-License-Identifier: GPL-3.0-or-later
// The program icon's PNG files, compiled into the program from assets/ by the build.
// Decoding them is left to the caller.
#pragma once

#include <cstddef>
#include <vector>

struct EmbeddedIcon {
    const unsigned char* data;
    std::size_t size;
};

// Largest first.
const std::vector<EmbeddedIcon>& EmbeddedIcons();
