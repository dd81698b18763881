// The real velmora binary's command line: --version and --help without a display, a bad
// option, and the one-line refusal without a display that creates no data folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

namespace {

// Every setting that would let the program find a display.
const std::vector<std::string> NoDisplay = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

class QtCommandLine : public ::testing::Test {
  protected:
    test::ProcessRun Run(const std::vector<std::string>& arguments) {
        const std::string data = (directory.path() / "data-home").string();
        return test::RunProcess(VELMORA_PROGRAM_PATH, arguments, "", NoDisplay,
                                {{"XDG_DATA_HOME", data}});
    }
    test::TempWorkingDirectory directory;
};

TEST_F(QtCommandLine, VersionAndHelpNeedNoDisplay) {
    const test::ProcessRun version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("velmora ") + VELMORA_VERSION + "\n");
    EXPECT_EQ(version.errors, "");
    const test::ProcessRun help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: velmora [--dir DIR]\n", 0), 0u);
    EXPECT_NE(help.out.find("${XDG_DATA_HOME:-~/.local/share}/velmora"), std::string::npos);
    EXPECT_EQ(help.errors, "");
}

TEST_F(QtCommandLine, BadOptionsPrintTheUsageAndExitWithTwo) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--bogus"}, {"--dir"}, {"extra"}}) {
        SCOPED_TRACE(arguments[0]);
        const test::ProcessRun run = Run(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.errors.rfind("velmora: ", 0), 0u);
        EXPECT_NE(run.errors.find("\nUsage: velmora [--dir DIR]\n"), std::string::npos);
    }
}

TEST_F(QtCommandLine, WithoutDisplayOneLineAndNoFolder) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{}, {"--dir", "new"}}) {
        SCOPED_TRACE(arguments.size());
        const test::ProcessRun run = Run(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.errors, "velmora: no graphical display available (is DISPLAY set?)\n");
    }
    EXPECT_FALSE(test::FileExists("new"));
    EXPECT_FALSE(test::FileExists("data-home"));
}

}  // namespace
