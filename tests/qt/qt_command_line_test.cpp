// SPDX-License-Identifier: GPL-3.0-or-later
// The real velmora binary's command line: --version without a display, a bad option, and
// the one-line refusal without a display, which comes before any data folder is made.
#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

namespace {

test::ProcessRun RunWithoutDisplay(const std::vector<std::string>& arguments) {
    return test::RunProcess(
        VELMORA_PROGRAM_PATH, arguments, "", {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"},
        {{"XDG_DATA_HOME", (std::filesystem::current_path() / "data-home").string()}});
}

TEST(QtCommandLine, AnswersAndRefusalsNeedNoDisplay) {
    test::TempWorkingDirectory directory;
    const test::ProcessRun version = RunWithoutDisplay({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("velmora ") + VELMORA_VERSION + "\n");
    EXPECT_EQ(RunWithoutDisplay({"--help"}).out.rfind("Usage: velmora [--dir DIR]\n", 0), 0u);
    for (const char* bad : {"--bogus", "--dir", "extra"}) {
        SCOPED_TRACE(bad);
        const test::ProcessRun run = RunWithoutDisplay({bad});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.errors.find("\nUsage: velmora [--dir DIR]\n"), std::string::npos);
    }
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{}, {"--dir", "new"}}) {
        SCOPED_TRACE(arguments.size());
        const test::ProcessRun run = RunWithoutDisplay(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.errors, "velmora: no graphical display available (is DISPLAY set?)\n");
    }
    EXPECT_FALSE(test::FileExists("new"));
    EXPECT_FALSE(test::FileExists("data-home"));
}

}  // namespace
