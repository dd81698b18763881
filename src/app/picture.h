// The one picture decoder of every back end: PNG, Windows bitmap and icon files, decided by
// the file's content. Showing the decoded picture is left to the back end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/ui_services.h"

// Pictures wider or higher than this are refused before any pixel memory is taken.
inline constexpr int MaximumPictureSide = 4096;

// Reads and decodes the file; false (and an empty picture) when it is missing, unreadable,
// truncated, too large or not a picture of a known kind.
bool LoadPicture(const std::u16string& path, Picture& picture);
// The same decoding on bytes already in memory.
bool DecodePicture(const std::uint8_t* data, std::size_t size, Picture& picture);
