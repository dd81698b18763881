// SPDX-License-Identifier: GPL-3.0-or-later
// Windows bitmap and icon decoding: device-independent bitmaps of 1, 4, 8, 24 and 32 bits,
// bottom-up or top-down, on their own (a file starting "BM") or inside an icon file, where
// the AND mask gives the transparency. Every size and offset is checked against the bytes.
#include <bit>
#include <cstring>

#include "app/picture.h"
#include "app/picture_decoders.h"

namespace {

constexpr std::uint32_t PlainRgb = 0;
constexpr std::uint32_t BitFields = 3;
constexpr std::size_t CoreHeaderSize = 12;
constexpr std::size_t InfoHeaderSize = 40;

struct Bytes {
    const std::uint8_t* data;
    std::size_t size;

    bool Has(std::uint64_t offset, std::uint64_t length) const {
        return offset <= size && length <= size - offset;
    }
    std::uint32_t U16(std::size_t at) const { return data[at] | (data[at + 1] << 8); }
    std::uint32_t U32(std::size_t at) const {
        return std::uint32_t(data[at]) | (std::uint32_t(data[at + 1]) << 8) |
               (std::uint32_t(data[at + 2]) << 16) | (std::uint32_t(data[at + 3]) << 24);
    }
};

struct DibLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t masks[4] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u};  // R G B A
    std::uint64_t paletteOffset = 0;
    std::uint64_t paletteEntries = 0;
    std::uint64_t paletteEntrySize = 4;
};

std::uint8_t ChannelOf(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = std::countr_zero(mask);
    std::uint32_t value = (pixel & mask) >> shift;
    int bits = std::bit_width(mask >> shift);
    if (bits >= 8) return std::uint8_t(value >> (bits - 8));
    return std::uint8_t(value * 255u / ((1u << bits) - 1u));
}

// Reads the header at dibOffset; false for kinds we do not decode (RLE, 16-bit, ...).
bool ReadDibLayout(const Bytes& in, std::size_t dibOffset, bool icon, DibLayout& dib) {
    if (!in.Has(dibOffset, 4)) return false;
    std::uint64_t headerSize = in.U32(dibOffset);
    bool core = headerSize == CoreHeaderSize;
    if (!core && headerSize < InfoHeaderSize) return false;
    if (!in.Has(dibOffset, headerSize)) return false;
    std::uint32_t compression = PlainRgb;
    std::uint64_t coloursUsed = 0;
    if (core) {
        dib.width = in.U16(dibOffset + 4);
        dib.height = in.U16(dibOffset + 6);
        dib.bitCount = int(in.U16(dibOffset + 10));
        dib.paletteEntrySize = 3;
    } else {
        dib.width = std::int32_t(in.U32(dibOffset + 4));
        dib.height = std::int32_t(in.U32(dibOffset + 8));
        dib.bitCount = int(in.U16(dibOffset + 14));
        compression = in.U32(dibOffset + 16);
        coloursUsed = in.U32(dibOffset + 32);
    }
    if (dib.height < 0) {
        dib.topDown = true;
        dib.height = -dib.height;
    }
    // An icon's header counts the colour rows and the mask rows together.
    if (icon) {
        if (dib.topDown) return false;
        dib.height /= 2;
    }
    if (!PictureSizeAllowed(dib.width, dib.height)) return false;

    std::uint64_t afterHeader = dibOffset + headerSize;
    switch (dib.bitCount) {
        case 1:
        case 4:
        case 8:
        case 24:
            if (compression != PlainRgb) return false;
            break;
        case 32:
            if (compression == BitFields) {
                // Masks inside a larger header, or right after the plain 40-byte one.
                std::uint64_t at = headerSize >= 52 ? dibOffset + InfoHeaderSize : afterHeader;
                if (!in.Has(at, 12)) return false;
                for (int i = 0; i < 3; ++i) dib.masks[i] = in.U32(std::size_t(at) + 4 * i);
                dib.masks[3] = headerSize >= 56 ? in.U32(dibOffset + 52) : 0;
                if (headerSize < 52) afterHeader += 12;
            } else if (compression != PlainRgb) {
                return false;
            }
            break;
        default:
            return false;
    }
    dib.paletteOffset = afterHeader;
    if (dib.bitCount <= 8) {
        std::uint64_t most = std::uint64_t(1) << dib.bitCount;
        dib.paletteEntries = (coloursUsed == 0 || coloursUsed > most) ? most : coloursUsed;
        if (!in.Has(dib.paletteOffset, dib.paletteEntries * dib.paletteEntrySize)) return false;
    }
    return true;
}

std::uint64_t RowStride(std::int64_t width, int bitCount) {
    return ((std::uint64_t(width) * std::uint64_t(bitCount) + 31) / 32) * 4;
}

// Decodes the pixel rows at pixelOffset (and, for an icon, the AND mask after them).
bool DecodeDib(const Bytes& in, std::size_t dibOffset, std::uint64_t pixelOffset, bool icon,
               Picture& picture) {
    DibLayout dib;
    if (!ReadDibLayout(in, dibOffset, icon, dib)) return false;
    if (icon) pixelOffset = dib.paletteOffset + dib.paletteEntries * dib.paletteEntrySize;
    std::uint64_t stride = RowStride(dib.width, dib.bitCount);
    std::uint64_t maskStride = icon ? RowStride(dib.width, 1) : 0;
    std::uint64_t height = std::uint64_t(dib.height);
    if (!in.Has(pixelOffset, stride * height)) return false;
    if (icon && !in.Has(pixelOffset + stride * height, maskStride * height)) return false;

    std::size_t width = std::size_t(dib.width);
    std::vector<std::uint8_t> rgba(width * std::size_t(height) * 4);
    bool alphaSeen = false;
    const std::uint8_t* palette = in.data + dib.paletteOffset;
    for (std::uint64_t row = 0; row < height; ++row) {
        const std::uint8_t* source = in.data + pixelOffset + row * stride;
        std::uint64_t target = dib.topDown ? row : height - 1 - row;
        std::uint8_t* out = rgba.data() + target * width * 4;
        for (std::size_t x = 0; x < width; ++x, out += 4) {
            if (dib.bitCount <= 8) {
                std::size_t bit = x * std::size_t(dib.bitCount);
                unsigned shift = unsigned(8 - dib.bitCount - int(bit % 8));
                unsigned index = (source[bit / 8] >> shift) & ((1u << dib.bitCount) - 1u);
                out[3] = 255;
                if (index >= dib.paletteEntries) continue;  // outside the palette: black
                const std::uint8_t* entry = palette + index * dib.paletteEntrySize;
                out[0] = entry[2];
                out[1] = entry[1];
                out[2] = entry[0];
            } else if (dib.bitCount == 24) {
                out[0] = source[x * 3 + 2];
                out[1] = source[x * 3 + 1];
                out[2] = source[x * 3];
                out[3] = 255;
            } else {
                std::uint32_t pixel = in.U32(std::size_t(source - in.data) + x * 4);
                for (int c = 0; c < 4; ++c) out[c] = ChannelOf(pixel, dib.masks[c]);
                alphaSeen = alphaSeen || out[3] != 0;
            }
        }
    }
    // A 32-bit picture whose fourth byte is zero everywhere stores no alpha at all.
    bool useStoredAlpha = dib.bitCount == 32 && alphaSeen;
    if (dib.bitCount == 32 && !alphaSeen) {
        for (std::size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
    }
    if (icon && !useStoredAlpha) {
        const std::uint8_t* mask = in.data + pixelOffset + stride * height;
        for (std::uint64_t row = 0; row < height; ++row) {
            std::uint64_t target = height - 1 - row;
            for (std::size_t x = 0; x < width; ++x) {
                bool transparent = (mask[row * maskStride + x / 8] >> (7 - x % 8)) & 1u;
                if (transparent) rgba[(target * width + x) * 4 + 3] = 0;
            }
        }
    }
    picture.width = int(dib.width);
    picture.height = int(height);
    if (icon || useStoredAlpha) {
        picture.bitsPerPixel = 32;
        picture.pixels = std::move(rgba);
        return true;
    }
    // Opaque: drop the alpha bytes in place.
    std::size_t pixels = rgba.size() / 4;
    for (std::size_t i = 0; i < pixels; ++i) std::memmove(&rgba[i * 3], &rgba[i * 4], 3);
    rgba.resize(pixels * 3);
    picture.bitsPerPixel = 24;
    picture.pixels = std::move(rgba);
    return true;
}

}  // namespace

bool DecodeBitmapFile(const std::uint8_t* data, std::size_t size, Picture& picture) {
    picture = Picture();
    Bytes in{data, size};
    constexpr std::size_t FileHeaderSize = 14;
    if (!in.Has(0, FileHeaderSize) || data[0] != 0x42 || data[1] != 0x4D) return false;
    std::uint64_t pixelOffset = in.U32(10);
    return DecodeDib(in, FileHeaderSize, pixelOffset, false, picture);
}

bool IsIconFile(const std::uint8_t* data, std::size_t size) {
    Bytes in{data, size};
    if (!in.Has(0, 6)) return false;
    return in.U16(0) == 0 && in.U16(2) == 1 && in.U16(4) >= 1;
}

bool DecodeIconFile(const std::uint8_t* data, std::size_t size, Picture& picture) {
    picture = Picture();
    Bytes in{data, size};
    if (!IsIconFile(data, size)) return false;
    std::size_t count = in.U16(4);
    if (!in.Has(6, count * 16)) return false;
    // The largest image by its directory entry (0 stands for 256); more colour bits win a tie.
    std::size_t best = 0;
    std::uint64_t bestArea = 0;
    std::uint32_t bestBits = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t entry = 6 + i * 16;
        std::uint64_t width = data[entry] == 0 ? 256 : data[entry];
        std::uint64_t height = data[entry + 1] == 0 ? 256 : data[entry + 1];
        std::uint32_t bits = in.U16(entry + 6);
        std::uint64_t area = width * height;
        if (i == 0 || area > bestArea || (area == bestArea && bits > bestBits)) {
            best = i;
            bestArea = area;
            bestBits = bits;
        }
    }
    std::size_t entry = 6 + best * 16;
    std::uint64_t length = in.U32(entry + 8);
    std::uint64_t offset = in.U32(entry + 12);
    if (!in.Has(offset, length)) return false;
    const std::uint8_t* image = data + offset;
    if (IsPngSignature(image, std::size_t(length)))
        return DecodePng(image, std::size_t(length), picture);
    Bytes inner{image, std::size_t(length)};
    bool decoded = DecodeDib(inner, 0, 0, true, picture);
    if (!decoded) picture = Picture();
    return decoded;
}
