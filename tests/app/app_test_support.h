// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the app tests: pictures built in memory (PNG through libpng, bitmaps and icons
// byte by byte), the media folder, seeded data files, and a fixture with a fixed clock.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/program_state.h"
#include "app/scripted_ui.h"
#include "test_support.h"

namespace apptest {

using test::Bytes;

// Raw rows as libpng takes them (packed for depths below 8, big-endian for 16).
struct PngSpec {
    int width = 1;
    int height = 1;
    int colourType = 2;  // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    Bytes rows;
    std::vector<std::uint32_t> palette;  // 0xRRGGBB
    Bytes paletteAlpha;                  // tRNS for a palette picture
    std::optional<std::uint16_t> transparentGrey;
    bool interlaced = false;
};
Bytes MakePng(const PngSpec& spec);
// A width x height RGB (or RGBA) picture with a simple gradient.
Bytes MakeSimplePng(int width, int height, bool withAlpha);

// Pixels are listed top row first; for 1, 4 and 8 bits they are palette indices, for 24
// and 32 bits 0xAARRGGBB (the alpha byte is stored only at 32 bits).
struct DibSpec {
    int width = 1;
    int height = 1;
    int bitCount = 24;
    bool topDown = false;
    std::vector<std::uint32_t> palette;  // 0xRRGGBB
    std::vector<std::uint32_t> pixels;
    std::vector<bool> andMask;  // icons only: true = transparent, top row first
    std::uint32_t compression = 0;
};
// A "BM" file.
Bytes MakeBmp(const DibSpec& spec);
// A device-independent bitmap as stored in an icon (height doubled, AND mask after it).
Bytes MakeIconDib(const DibSpec& spec);
// An icon file; each image's directory entry takes its size from the given numbers.
struct IconImage {
    int width;
    int height;
    int bitCount;
    Bytes data;
};
Bytes MakeIcon(const std::vector<IconImage>& images);

void PutU16(Bytes& bytes, std::size_t at, std::uint32_t value);
void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value);

// media/BigImage.png (220 x 80, with alpha) and media/SmallImage.png (130 x 50).
void WriteMediaPictures();
void WriteIni(const std::string& language = "English", const std::string& version = "0.1");
void WriteUnits(const std::vector<std::u16string>& lines);
// One 15-line block per week: number and the seven day texts.
struct WeekSeed {
    long long number;
    std::vector<std::u16string> days;  // up to seven, Monday first
};
std::vector<std::u16string> HistoryLines(const std::vector<WeekSeed>& weeks);
void WriteHistory(const std::vector<WeekSeed>& weeks);

// The scripted back end that also logs the calls the window build and the actions make,
// as short lines ("create 16", "column 10 Einheit 100", "enable 6 0", ...).
class RecordingUi : public ScriptedUi {
  public:
    std::vector<std::string> log;

  protected:
    bool DoOpenWindow(int number, int width, int height, const std::u16string& title) override;
    void DoCreateControl(int id, ControlKind kind, int parent, int x, int y, int width, int height,
                         const std::u16string& text, Alignment alignment) override;
    void DoAddColumn(int id, const std::u16string& header, int width) override;
    void DoSetPicture(int id, const Picture& picture) override;
    void DoSetTooltip(int id, const std::u16string& text) override;
    void DoSetAccessibleText(int id, const AccessibleText& text) override;
    void DoSetText(int id, const std::u16string& text) override;
    void DoSetState(int id, std::intptr_t index) override;
    void DoAddItem(int id, const std::u16string& text) override;
    void DoRemoveItem(int id, std::intptr_t index) override;
    void DoRemoveAllItems(int id) override;
    void DoSetEnabled(int id, bool enabled) override;
};

// Queues a step that runs checks (or changes files) between events; its event is ignored.
void QueueCheck(ScriptedUi& ui, std::function<void(ScriptedUi&)> check);

// A temporary working directory with units/ and media pictures, the clock fixed on
// Wednesday 10 January 2024 (week number 8), and injected file faults cleared afterwards.
class SessionTest : public ::testing::Test {
  protected:
    SessionTest();
    ~SessionTest() override;
    // Runs the program on ui with the steps queued beforehand; expects exit status 0.
    void Run(ScriptedUi& ui);
    // ini.ini, a catalogue and a history holding week 8 (the fixed clock's week) by default.
    static void SeedFiles(const std::vector<std::u16string>& units,
                          const std::vector<WeekSeed>& weeks = {{8, {}}});
    // The cells of the entry list's rows.
    static std::vector<std::vector<std::u16string>> Rows(ScriptedUi& ui);
    // The state of the program while and after it runs (checks between events look into it).
    std::optional<ProgramState> program;
    static std::vector<std::u16string> MessageTexts(const ScriptedUi& ui);

    test::TempWorkingDirectory directory;
};

}  // namespace apptest
