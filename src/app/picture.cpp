// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a picture file through the platform file services and hands its bytes to the
// decoder that its first bytes name; the decoders live in picture_png.cpp and
// picture_bitmap.cpp.
#include "app/picture.h"

#include <string>

#include "app/picture_decoders.h"
#include "platform/os_file.h"

namespace {

// A 4096 x 4096 bitmap with alpha is 64 MiB; anything much larger cannot be a picture
// we would accept, so reading stops there instead of filling memory.
constexpr std::size_t MaximumPictureFileSize = 96u * 1024u * 1024u;

}  // namespace

bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= MaximumPictureSide && height <= MaximumPictureSide;
}

bool DecodePicture(const std::uint8_t* data, std::size_t size, Picture& picture) {
    picture = Picture();
    bool decoded = false;
    if (IsPngSignature(data, size)) {
        decoded = DecodePng(data, size, picture);
    } else if (size >= 2 && data[0] == 0x42 && data[1] == 0x4D) {
        decoded = DecodeBitmapFile(data, size, picture);
    } else if (IsIconFile(data, size)) {
        decoded = DecodeIconFile(data, size, picture);
    }
    if (!decoded) picture = Picture();
    return decoded;
}

bool LoadPicture(const std::u16string& path, Picture& picture) {
    picture = Picture();
    OsFile file;
    if (!OsOpenRead(path, file)) return false;
    std::string bytes;
    const bool read = OsReadRest(file, bytes, MaximumPictureFileSize);
    OsClose(file);
    if (!read) return false;
    return DecodePicture(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                         picture);
}
