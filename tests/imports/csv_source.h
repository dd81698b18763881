// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV reader's byte source over a text in memory, handed out in the sizes asked for: what
// the import tests read their files from.
#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "imports/csv_reader.h"

inline CsvByteSource BytesOf(const std::string& bytes) {
    auto at = std::make_shared<std::size_t>(0);
    return [bytes, at](char* buffer, std::size_t size) -> std::intptr_t {
        const std::size_t count = std::min(size, bytes.size() - *at);
        bytes.copy(buffer, count, *at);
        *at += count;
        return std::intptr_t(count);
    };
}
