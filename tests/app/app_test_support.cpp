// SPDX-License-Identifier: GPL-3.0-or-later
// Picture builders and session fixture of the app tests.
#include "app/app_test_support.h"

#include <png.h>

#include <algorithm>
#include <cassert>
#include <csetjmp>
#include <filesystem>

#include "app/control_ids.h"
#include "app/program.h"
#include "platform/clock.h"
#include "platform/os_file_faults.h"

namespace apptest {

namespace {

void AppendToBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

struct PngWriteJob {
    const PngSpec* spec;
    Bytes* out;
    std::vector<png_color> palette;
    std::vector<png_bytep> rows;
};

bool RunPngWrite(png_structp png, png_infop info, PngWriteJob& job) {
    if (setjmp(png_jmpbuf(png))) return false;
    const PngSpec& spec = *job.spec;
    png_set_write_fn(png, job.out, AppendToBytes, NoFlush);
    png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!job.palette.empty()) png_set_PLTE(png, info, job.palette.data(), int(job.palette.size()));
    if (!spec.paletteAlpha.empty()) {
        png_set_tRNS(png, info, spec.paletteAlpha.data(), int(spec.paletteAlpha.size()), nullptr);
    }
    if (spec.transparentGrey) {
        png_color_16 colour{};
        colour.gray = *spec.transparentGrey;
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    png_write_info(png, info);
    png_write_image(png, job.rows.data());
    png_write_end(png, nullptr);
    return true;
}

Bytes DibBody(const DibSpec& spec, bool icon) {
    std::size_t stride = ((std::size_t(spec.width) * spec.bitCount + 31) / 32) * 4;
    std::size_t maskStride = ((std::size_t(spec.width) + 31) / 32) * 4;
    std::size_t paletteSize = spec.palette.size() * 4;
    std::size_t pixelBytes = stride * spec.height + (icon ? maskStride * spec.height : 0);
    Bytes dib(40 + paletteSize + pixelBytes, 0);
    PutU32(dib, 0, 40);
    PutU32(dib, 4, std::uint32_t(spec.width));
    std::int32_t height = icon ? spec.height * 2 : spec.height;
    PutU32(dib, 8, std::uint32_t(spec.topDown ? -height : height));
    PutU16(dib, 12, 1);
    PutU16(dib, 14, std::uint32_t(spec.bitCount));
    PutU32(dib, 16, spec.compression);
    PutU32(dib, 32, std::uint32_t(spec.palette.size()));
    for (std::size_t i = 0; i < spec.palette.size(); ++i) PutU32(dib, 40 + i * 4, spec.palette[i]);
    std::size_t pixelStart = 40 + paletteSize;
    for (int row = 0; row < spec.height; ++row) {
        int stored = spec.topDown ? row : spec.height - 1 - row;
        std::uint8_t* out = dib.data() + pixelStart + std::size_t(stored) * stride;
        for (int x = 0; x < spec.width; ++x) {
            std::uint32_t value = spec.pixels[std::size_t(row) * spec.width + x];
            if (spec.bitCount <= 8) {
                std::size_t bit = std::size_t(x) * spec.bitCount;
                out[bit / 8] |= std::uint8_t(value << (8 - spec.bitCount - bit % 8));
            } else {
                std::size_t at = std::size_t(x) * (spec.bitCount / 8);
                out[at] = std::uint8_t(value);
                out[at + 1] = std::uint8_t(value >> 8);
                out[at + 2] = std::uint8_t(value >> 16);
                if (spec.bitCount == 32) out[at + 3] = std::uint8_t(value >> 24);
            }
        }
        if (icon && !spec.andMask.empty()) {
            std::uint8_t* mask = dib.data() + pixelStart + stride * spec.height +
                                 std::size_t(spec.height - 1 - row) * maskStride;
            for (int x = 0; x < spec.width; ++x) {
                if (spec.andMask[std::size_t(row) * spec.width + x]) {
                    mask[x / 8] |= std::uint8_t(0x80 >> (x % 8));
                }
            }
        }
    }
    return dib;
}

}  // namespace

void PutU16(Bytes& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = std::uint8_t(value);
    bytes[at + 1] = std::uint8_t(value >> 8);
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = std::uint8_t(value >> (8 * i));
}

Bytes MakePng(const PngSpec& spec) {
    Bytes out;
    PngWriteJob job{&spec, &out, {}, {}};
    for (std::uint32_t colour : spec.palette) {
        job.palette.push_back(
            {png_byte(colour >> 16), png_byte((colour >> 8) & 0xFF), png_byte(colour & 0xFF)});
    }
    std::size_t rowBytes = spec.rows.size() / std::size_t(spec.height);
    for (int row = 0; row < spec.height; ++row) {
        job.rows.push_back(const_cast<png_bytep>(spec.rows.data()) + row * rowBytes);
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    [[maybe_unused]] bool written = RunPngWrite(png, info, job);
    png_destroy_write_struct(&png, &info);
    assert(written && "the test could not write its PNG picture");
    return out;
}

Bytes MakeSimplePng(int width, int height, bool withAlpha) {
    PngSpec spec;
    spec.width = width;
    spec.height = height;
    spec.colourType = withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    int channels = withAlpha ? 4 : 3;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            spec.rows.push_back(std::uint8_t(x));
            spec.rows.push_back(std::uint8_t(y));
            spec.rows.push_back(0x80);
            if (channels == 4) spec.rows.push_back(std::uint8_t(255 - x));
        }
    }
    return MakePng(spec);
}

Bytes MakeBmp(const DibSpec& spec) {
    Bytes dib = DibBody(spec, false);
    Bytes file(14 + dib.size(), 0);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, std::uint32_t(file.size()));
    PutU32(file, 10, std::uint32_t(14 + 40 + spec.palette.size() * 4));
    std::copy(dib.begin(), dib.end(), file.begin() + 14);
    return file;
}

Bytes MakeIconDib(const DibSpec& spec) {
    return DibBody(spec, true);
}

Bytes MakeIcon(const std::vector<IconImage>& images) {
    std::size_t total = 6 + 16 * images.size();
    for (const IconImage& image : images) total += image.data.size();
    Bytes file(total, 0);
    PutU16(file, 2, 1);
    PutU16(file, 4, std::uint32_t(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        std::size_t entry = 6 + 16 * i;
        file[entry] = std::uint8_t(images[i].width >= 256 ? 0 : images[i].width);
        file[entry + 1] = std::uint8_t(images[i].height >= 256 ? 0 : images[i].height);
        PutU16(file, entry + 4, 1);
        PutU16(file, entry + 6, std::uint32_t(images[i].bitCount));
        PutU32(file, entry + 8, std::uint32_t(images[i].data.size()));
        PutU32(file, entry + 12, std::uint32_t(offset));
        std::copy(images[i].data.begin(), images[i].data.end(), file.begin() + offset);
        offset += images[i].data.size();
    }
    return file;
}

void WriteMediaPictures() {
    std::filesystem::create_directories("media");
    test::WriteFileBytes("media/BigImage.png", MakeSimplePng(220, 80, true));
    test::WriteFileBytes("media/SmallImage.png", MakeSimplePng(130, 50, false));
}

void WriteIni(const std::string& language, const std::string& version) {
    test::WriteFileBytes(
        "ini.ini", "\xEF\xBB\xBF\r\nVersion = " + version + "\r\nLanguage = " + language + "\r\n");
}

void WriteUnits(const std::vector<std::u16string>& lines) {
    test::WriteFileBytes("units/units.txt", test::LineFileBytes(lines));
}

std::vector<std::u16string> HistoryLines(const std::vector<WeekSeed>& weeks) {
    static const char16_t* const keys[] = {u"Monday", u"Tuesday",  u"Wednesday", u"Thursday",
                                           u"Friday", u"Saturday", u"Sunday"};
    std::vector<std::u16string> lines;
    for (const WeekSeed& week : weeks) {
        lines.push_back(u"#" + test::ToUtf16(std::to_string(week.number)));
        for (std::size_t day = 0; day < 7; ++day) {
            lines.push_back(std::u16string(u"=") + keys[day]);
            lines.push_back(day < week.days.size() ? week.days[day] : u"");
        }
    }
    return lines;
}

void WriteHistory(const std::vector<WeekSeed>& weeks) {
    test::WriteFileBytes("units/history.txt", test::LineFileBytes(HistoryLines(weeks)));
}

bool RecordingUi::DoOpenWindow(int number, int width, int height, const std::u16string& title) {
    log.push_back("open " + std::to_string(number) + " " + std::to_string(width) + " " +
                  std::to_string(height) + " " + test::ToUtf8(title));
    return ScriptedUi::DoOpenWindow(number, width, height, title);
}

void RecordingUi::DoCreateControl(int id, ControlKind kind, int parent, int x, int y, int width,
                                  int height, const std::u16string& text, Alignment alignment) {
    log.push_back("create " + std::to_string(id));
    ScriptedUi::DoCreateControl(id, kind, parent, x, y, width, height, text, alignment);
}

void RecordingUi::DoAddColumn(int id, const std::u16string& header, int width) {
    log.push_back("column " + std::to_string(id) + " " + test::ToUtf8(header) + " " +
                  std::to_string(width));
    ScriptedUi::DoAddColumn(id, header, width);
}

void RecordingUi::DoSetPicture(int id, const Picture& picture) {
    log.push_back("picture " + std::to_string(id));
    ScriptedUi::DoSetPicture(id, picture);
}

void RecordingUi::DoSetTooltip(int id, const std::u16string& text) {
    log.push_back("tooltip " + std::to_string(id));
    ScriptedUi::DoSetTooltip(id, text);
}

void RecordingUi::DoSetAccessibleText(int id, const AccessibleText& text) {
    log.push_back("access " + std::to_string(id));
    ScriptedUi::DoSetAccessibleText(id, text);
}

void RecordingUi::DoSetText(int id, const std::u16string& text) {
    log.push_back("text " + std::to_string(id) + " " + test::ToUtf8(text));
    ScriptedUi::DoSetText(id, text);
}

void RecordingUi::DoSetState(int id, std::intptr_t index) {
    log.push_back("select " + std::to_string(id) + " " + std::to_string(index));
    ScriptedUi::DoSetState(id, index);
}

void RecordingUi::DoAddItem(int id, const std::u16string& text) {
    log.push_back("add " + std::to_string(id));
    ScriptedUi::DoAddItem(id, text);
}

void RecordingUi::DoRemoveItem(int id, std::intptr_t index) {
    log.push_back("remove " + std::to_string(id) + " " + std::to_string(index));
    ScriptedUi::DoRemoveItem(id, index);
}

void RecordingUi::DoRemoveAllItems(int id) {
    log.push_back("clear " + std::to_string(id));
    ScriptedUi::DoRemoveAllItems(id);
}

void RecordingUi::DoSetEnabled(int id, bool enabled) {
    log.push_back("enable " + std::to_string(id) + " " + (enabled ? "1" : "0"));
    ScriptedUi::DoSetEnabled(id, enabled);
}

void QueueCheck(ScriptedUi& ui, std::function<void(ScriptedUi&)> check) {
    ScriptedUi::Step step;
    step.apply = std::move(check);
    step.event.kind = UiEvent::Kind::Other;
    ui.steps.push_back(std::move(step));
}

SessionTest::SessionTest() {
    std::filesystem::create_directories("units");
    WriteMediaPictures();
    SetClock([] { return DateOf(2024, 1, 10); });
}

SessionTest::~SessionTest() {
    SetClock({});
    InjectedFileFaults = FileFaults();
}

void SessionTest::Run(ScriptedUi& ui) {
    program.emplace(ui);
    EXPECT_EQ(RunProgram(*program), 0);
}

void SessionTest::SeedFiles(const std::vector<std::u16string>& units,
                            const std::vector<WeekSeed>& weeks) {
    WriteIni();
    WriteUnits(units);
    WriteHistory(weeks);
}

std::vector<std::vector<std::u16string>> SessionTest::Rows(ScriptedUi& ui) {
    return ui.Control(EntryList).cells();
}

std::vector<std::u16string> SessionTest::MessageTexts(const ScriptedUi& ui) {
    std::vector<std::u16string> texts;
    for (const RecordedMessage& message : ui.messages) texts.push_back(message.text);
    return texts;
}

}  // namespace apptest
