// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: accepted and broken argument lists, the default data folder, the
// printed answers, and the real velmora-headless binary with --version, a bad option and
// --dir on folders that do not exist yet.
#include "app/start_options.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "test_support.h"

namespace {

using Action = StartOptions::Action;

const ProgramIdentity Program{"velmora", "9.8.7", "the usual folder"};

TEST(AppStartOptions, AcceptedArgumentLists) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        Action action;
        std::string folder;
    };
    const Case cases[] = {
        {"nothing", {}, Action::Run, ""},
        {"dir", {"--dir", "/tmp/x"}, Action::Run, "/tmp/x"},
        {"dir relative with blanks", {"--dir", "my data"}, Action::Run, "my data"},
        {"dir joined", {"--dir=/tmp/x"}, Action::Run, "/tmp/x"},
        {"dir joined starting with a dash", {"--dir=-x"}, Action::Run, "-x"},
        {"version", {"--version"}, Action::PrintVersion, ""},
        {"help", {"--help"}, Action::PrintHelp, ""},
        {"help wins over version", {"--version", "--help"}, Action::PrintHelp, ""},
        {"version with dir", {"--dir", "d", "--version"}, Action::PrintVersion, "d"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StartOptions options = ParseStartOptions(c.arguments);
        EXPECT_EQ(options.action, c.action);
        EXPECT_EQ(options.folder, c.folder);
        EXPECT_EQ(options.problem, "");
    }
}

TEST(AppStartOptions, BrokenArgumentLists) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::string problem;
    };
    const Case cases[] = {
        {"unknown option", {"--bogus"}, "unknown option '--bogus'"},
        {"short option", {"-d"}, "unknown option '-d'"},
        {"Qt's own option", {"-platform", "xcb"}, "unknown option '-platform'"},
        {"plain word", {"folder"}, "unexpected argument 'folder'"},
        {"dir without folder", {"--dir"}, "--dir needs a folder"},
        {"dir followed by an option", {"--dir", "--help"}, "--dir needs a folder"},
        {"dir joined and empty", {"--dir="}, "--dir needs a folder"},
        {"dir empty", {"--dir", ""}, "--dir needs a folder"},
        {"dir twice", {"--dir", "a", "--dir=b"}, "--dir given more than once"},
        {"bad option beats help", {"--help", "--bogus"}, "unknown option '--bogus'"},
        {"option with a value", {"--version=2"}, "unknown option '--version=2'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StartOptions options = ParseStartOptions(c.arguments);
        EXPECT_EQ(options.action, Action::Refuse);
        EXPECT_EQ(options.problem, c.problem);
    }
}

TEST(AppStartOptions, DefaultDataFolderFollowsTheBaseDirectoryRules) {
    struct Case {
        const char* name;
        const char* xdgDataHome;
        const char* home;
        std::string expected;
    };
    const Case cases[] = {
        {"data home set", "/data", "/home/u", "/data/velmora"},
        {"data home empty", "", "/home/u", "/home/u/.local/share/velmora"},
        {"data home unset", nullptr, "/home/u", "/home/u/.local/share/velmora"},
        {"data home relative is ignored", "rel", "/home/u", "/home/u/.local/share/velmora"},
        {"only data home", "/data", nullptr, "/data/velmora"},
        {"neither", nullptr, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DataFolderFor(c.xdgDataHome, c.home), c.expected);
    }
}

TEST(AppStartOptions, AnswersGoToTheRightStreamWithTheRightStatus) {
    std::FILE* out = std::tmpfile();
    std::FILE* errors = std::tmpfile();
    EXPECT_EQ(AnswerStartOptions(ParseStartOptions({"--version"}), Program, out, errors), 0);
    EXPECT_EQ(AnswerStartOptions(ParseStartOptions({"--help"}), Program, out, errors), 0);
    EXPECT_EQ(AnswerStartOptions(ParseStartOptions({"--dir"}), Program, out, errors), 2);
    auto readBack = [](std::FILE* file) {
        std::string text(std::size_t(std::ftell(file)), '\0');
        std::rewind(file);
        text.resize(std::fread(text.data(), 1, text.size(), file));
        std::fclose(file);
        return text;
    };
    EXPECT_EQ(readBack(out), "velmora 9.8.7\n" + UsageText(Program));
    EXPECT_EQ(readBack(errors), "velmora: --dir needs a folder\n" + UsageText(Program));
    EXPECT_NE(UsageText(Program).find("instead of the usual folder;"), std::string::npos);
}

// The real binary: the answers that end it early, and --dir on new folders whose language
// comes from the environment, which then open without any message.
TEST(AppStartBinary, AnswersEarlyOrStartsInANewlySeededFolder) {
    test::TempWorkingDirectory directory;
    const test::ProcessRun version = test::RunProcess(VELMORA_HEADLESS_PATH, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("velmora-headless ") + VELMORA_VERSION + "\n");
    const test::ProcessRun bad = test::RunProcess(VELMORA_HEADLESS_PATH, {"--bogus", "--dir", "x"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.errors.rfind("velmora-headless: unknown option '--bogus'\nUsage: ", 0), 0u);
    test::WriteFileBytes("taken", std::string_view("x"));
    const test::ProcessRun taken = test::RunProcess(VELMORA_HEADLESS_PATH, {"--dir", "taken"});
    EXPECT_EQ(taken.status, 1);
    EXPECT_EQ(taken.errors.rfind("velmora-headless: cannot use the folder taken: ", 0), 0u);

    for (const auto& [locale, day, unit] : {std::tuple{"de_DE.UTF-8", "Woche", "Kniebeugen: 3-20"},
                                            std::tuple{"en_GB.UTF-8", "Week", "Squats: 3-20"}}) {
        SCOPED_TRACE(locale);
        const test::ProcessRun run =
            test::RunProcess(VELMORA_HEADLESS_PATH, {"--dir", std::string("new/") + locale},
                             "dump\nclose\n", {"LC_ALL", "LC_MESSAGES"}, {{"LANG", locale}});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.errors, "");
        EXPECT_EQ(run.out.find("\"message\""), std::string::npos) << run.out;
        EXPECT_EQ(run.out.rfind("{\"title\":\"Velmora - ", 0), 0u) << run.out;
        EXPECT_NE(run.out.find(std::string(" - ") + VELMORA_VERSION + "\""), std::string::npos);
        EXPECT_NE(run.out.find(std::string("\"") + day + " - "), std::string::npos);
        EXPECT_NE(run.out.find(unit), std::string::npos);
    }
    EXPECT_FALSE(test::FileExists("x"));
    EXPECT_FALSE(test::FileExists("ini.ini"));  // the starting folder is left alone
}

// --dir through ".." and links as the system goes: the folder seeded is the one entered, and
// a path the system cannot go through creates nothing.
TEST(AppStartBinary, DirIsTheFolderTheSystemMeans) {
    test::TempWorkingDirectory directory;
    std::filesystem::create_directories("real/sub");
    std::filesystem::create_directory_symlink("real/sub", "link");
    const test::ProcessRun missing =
        test::RunProcess(VELMORA_HEADLESS_PATH, {"--dir", "./nothere/../seeded"}, "close\n");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.errors,
              "velmora-headless: cannot use the folder ./nothere/../seeded: No such file or "
              "directory\n");
    EXPECT_FALSE(test::FileExists("seeded"));
    EXPECT_FALSE(test::FileExists("nothere"));

    // "link/.." is the folder above the link's target: real/x, not ./x.
    const test::ProcessRun linked =
        test::RunProcess(VELMORA_HEADLESS_PATH, {"--dir", "link/../x"}, "click 16\nclose\n");
    EXPECT_EQ(linked.status, 0);
    EXPECT_EQ(linked.errors, "");
    EXPECT_EQ(linked.out.find("\"message\""), std::string::npos) << linked.out;
    EXPECT_FALSE(test::FileExists("x"));
    EXPECT_TRUE(test::FileExists("real/x/ini.ini"));
    EXPECT_TRUE(test::FileExists("real/x/lang/English.txt"));
    // The save of the session went into the folder that was seeded.
    EXPECT_GT(std::filesystem::file_size("real/x/units/history.txt"), 0u);
}

}  // namespace
