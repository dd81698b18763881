// SPDX-License-Identifier: GPL-3.0-or-later
// PNG decoding through libpng from bytes in memory: every picture becomes 8-bit RGB, or
// RGBA when it carries alpha (an alpha channel or a tRNS chunk). libpng reports errors by
// longjmp, so the setjmp frame below holds no object with a destructor.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "app/picture.h"
#include "app/picture_decoders.h"

namespace {

struct MemoryReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->position) png_error(png, "truncated picture");
    std::memcpy(out, reader->data + reader->position, length);
    reader->position += length;
}

// Silent handlers: a broken picture is simply "not loaded", and the headless driver's
// output must stay free of library chatter.
void FailQuietly(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void IgnoreWarning(png_structp, png_const_charp) {}

// Everything that must survive a longjmp lives here, outside the setjmp frame's registers.
struct PngJob {
    MemoryReader reader;
    Picture* picture;
    std::vector<png_bytep> rows;
    png_structp png = nullptr;
    png_infop info = nullptr;
};

bool RunPngJob(PngJob& job) {
    png_structp png = job.png;
    png_infop info = job.info;
    if (setjmp(png_jmpbuf(png))) return false;

    png_set_read_fn(png, &job.reader, ReadFromMemory);
    // libpng itself refuses larger headers, before it allocates anything for the rows.
    png_set_user_limits(png, MaximumPictureSide, MaximumPictureSide);
    png_read_info(png, info);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
    if (!PictureSizeAllowed(width, height)) return false;

    if (bitDepth == 16) png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    int channels = png_get_channels(png, info);
    if (channels != 3 && channels != 4) return false;
    std::size_t rowBytes = png_get_rowbytes(png, info);
    if (rowBytes != std::size_t(width) * std::size_t(channels)) return false;

    Picture& picture = *job.picture;
    picture.pixels.resize(rowBytes * height);
    job.rows.resize(height);
    for (png_uint_32 row = 0; row < height; ++row) {
        job.rows[row] = picture.pixels.data() + std::size_t(row) * rowBytes;
    }
    png_read_image(png, job.rows.data());
    png_read_end(png, nullptr);

    picture.width = int(width);
    picture.height = int(height);
    picture.bitsPerPixel = channels * 8;
    return true;
}

}  // namespace

bool IsPngSignature(const std::uint8_t* data, std::size_t size) {
    return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool DecodePng(const std::uint8_t* data, std::size_t size, Picture& picture) {
    picture = Picture();
    PngJob job{{data, size, 0}, &picture, {}, nullptr, nullptr};
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, FailQuietly, IgnoreWarning);
    if (job.png == nullptr) return false;
    job.info = png_create_info_struct(job.png);
    bool decoded = job.info != nullptr && RunPngJob(job);
    png_destroy_read_struct(&job.png, job.info ? &job.info : nullptr, nullptr);
    if (!decoded) picture = Picture();
    return decoded;
}
