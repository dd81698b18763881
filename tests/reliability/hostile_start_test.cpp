// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile start-up input in whole sessions: a language file of 100 000 keys with 1 MB values,
// Language settings that climb out of the working directory (read at most, nothing written
// outside), and pictures that are truncated, empty, declare 30 000 x 30 000 pixels or are no
// pictures at all (one fatal box, no window, no huge allocation).
#include <zlib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>

#include "app/app_test_support.h"
#include "app/control_ids.h"
#include "app/program.h"
#include "platform/clock.h"
#include "reliability/reliability_support.h"

namespace {

using test::Bytes;
namespace fs = std::filesystem;

constexpr std::size_t OneMegabyte = 1u << 20;

using HostileStart = apptest::SessionTest;

TEST_F(HostileStart, LanguageFileWithHundredThousandKeysAndMegabyteValues) {
    apptest::WriteIni("English");
    apptest::WriteUnits({u"Plank|3|60|hold"});
    apptest::WriteHistory({{8, {}}});
    fs::create_directory("lang");
    const std::string big(OneMegabyte, 'W');
    std::string file = "\xEF\xBB\xBF[Days]\r\nWednesday = " + big + "\r\n";
    for (int i = 0; i < 100000; ++i)
        file += "Key" + std::to_string(i) + " = " + big.substr(0, 8) + "\r\n";
    file += "[Global]\r\nSave = " + big.substr(0, 3) + "\r\nUnused = " + big + "\r\n";
    test::WriteFileBytes("lang/English.txt", file);

    const bool measured = reliability::ResetPeakMemory();
    const std::int64_t start = reliability::CurrentMemoryBytes();
    const auto began = std::chrono::steady_clock::now();
    ScriptedUi ui;
    Run(ui);
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(20));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.title, u"Velmora - " + std::u16string(OneMegabyte, u'W') + u" - 0.1");
    EXPECT_EQ(ui.Control(SaveButton).text, u"WWW");
    if (measured) {
        EXPECT_LT(reliability::PeakMemoryBytes() - start, std::int64_t(200 * OneMegabyte));
    }
}

// Every file below `root` with its size and time, except inside `skip`.
std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> Tree(const fs::path& root,
                                                                          const fs::path& skip) {
    std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        if (it->path() == skip) {
            it.disable_recursion_pending();
            continue;
        }
        std::uintmax_t size = it->is_regular_file() ? it->file_size() : 0;
        files[it->path().string()] = {size, it->last_write_time()};
    }
    return files;
}

TEST(HostileLanguagePath, NothingIsWrittenOutsideTheWorkingDirectory) {
    struct Row {
        const char* name;
        const char* language;
        bool outsideFileExists;  // outer/x.txt, which "../../x" names
    };
    const Row rows[] = {
        {"two levels up, file present", "../../x", true},
        {"two levels up, file missing", "../../x", false},
        {"far up", "../../../../../../../../../x", false},
        {"backslashes", "..\\..\\x", false},
        {"absolute-looking", "/x", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempWorkingDirectory outer;
        SetClock([] { return DateOf(2024, 1, 10); });
        const fs::path work = outer.path() / "a" / "b";
        fs::create_directories(work / "units");
        fs::create_directories(work / "lang");
        const std::string outside = "\xEF\xBB\xBF[Global]\r\nSave = Sichern\r\n";
        if (row.outsideFileExists) test::WriteFileBytes(outer.path() / "a" / "x.txt", outside);
        fs::current_path(work);
        apptest::WriteMediaPictures();
        apptest::WriteIni(row.language);
        apptest::WriteUnits({u"Plank|3|60|hold"});
        apptest::WriteHistory({{8, {}}});
        const auto before = Tree(outer.path(), work);

        ScriptedUi ui;
        ui.QueueClick(SaveButton);
        EXPECT_EQ(RunProgram(ui), 0);
        fs::current_path(outer.path());
        SetClock({});

        EXPECT_EQ(Tree(outer.path(), work), before) << "no file appears or changes outside";
        EXPECT_EQ(ui.Control(SaveButton).text, row.outsideFileExists ? u"Sichern" : u"Speichern");
        EXPECT_TRUE(test::FileExists(work / "units" / "history.txt")) << "the save stayed inside";
    }
}

Bytes WithCrc(Bytes png) {
    // IHDR's CRC covers its type and data: bytes 12 to 28.
    const uLong crc = crc32(0, png.data() + 12, 17);
    for (int i = 0; i < 4; ++i) png[29 + i] = std::uint8_t(crc >> (24 - 8 * i));
    return png;
}

Bytes PngDeclaring(std::uint32_t width, std::uint32_t height) {
    Bytes png = apptest::MakeSimplePng(4, 4, false);
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = std::uint8_t(width >> (24 - 8 * i));
        png[20 + i] = std::uint8_t(height >> (24 - 8 * i));
    }
    return WithCrc(png);
}

TEST_F(HostileStart, BrokenPicturesEndWithOneFatalBoxAndNoHugeAllocation) {
    const Bytes good = apptest::MakeSimplePng(220, 80, true);
    apptest::DibSpec tiny;
    tiny.pixels = {0x000000};
    Bytes bmp = apptest::MakeBmp(tiny);
    apptest::PutU32(bmp, 18, 30000);
    apptest::PutU32(bmp, 22, 30000);
    struct Row {
        const char* name;
        Bytes bytes;
    };
    const Row rows[] = {
        {"truncated png", Bytes(good.begin(), good.begin() + std::ptrdiff_t(good.size() / 2))},
        {"png cut inside its header", Bytes(good.begin(), good.begin() + 20)},
        {"zero bytes", {}},
        {"png declaring 30000 x 30000", PngDeclaring(30000, 30000)},
        {"png declaring 2^31 - 1 square", PngDeclaring(0x7FFFFFFF, 0x7FFFFFFF)},
        {"bitmap declaring 30000 x 30000", bmp},
        {"text", Bytes({'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'})},
    };
    apptest::WriteIni();
    apptest::WriteUnits({u"Plank|3|60|hold"});
    apptest::WriteHistory({{8, {}}});
    for (const char* path : {"media/BigImage.png", "media/SmallImage.png"}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(path) + ": " + row.name);
            apptest::WriteMediaPictures();
            test::WriteFileBytes(path, row.bytes);
            const bool measured = reliability::ResetPeakMemory();
            const std::int64_t start = reliability::CurrentMemoryBytes();
            ScriptedUi ui;
            Run(ui);
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_TRUE(ui.messages[0].fatal);
            EXPECT_EQ(ui.messages[0].text,
                      u"Das Bild " + test::ToUtf16(path) + u" wurde nicht gefunden!");
            EXPECT_FALSE(ui.windowOpen);
            if (measured) {
                EXPECT_LT(reliability::PeakMemoryBytes() - start, std::int64_t(64 * OneMegabyte))
                    << "nothing is allocated for the declared size";
            }
        }
    }
}

}  // namespace
