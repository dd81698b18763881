// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing the command line of velmora and velmora-headless and printing the answers that
// end the program before it starts (version, help, usage after a broken argument).
#include "app/start_options.h"

#include <cstdlib>
#include <utility>

namespace {

constexpr std::string_view DirOption = "--dir";

bool IsSet(const char* value) {
    return value != nullptr && value[0] != '\0';
}

// The first broken argument decides the problem line; later ones are not looked at.
StartOptions Refused(std::string problem) {
    StartOptions options;
    options.action = StartOptions::Action::Refuse;
    options.problem = std::move(problem);
    return options;
}

}  // namespace

StartOptions ParseStartOptions(const std::vector<std::string>& arguments) {
    StartOptions options;
    bool help = false;
    bool version = false;
    bool folderGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::string folder;
        if (argument == "--help") {
            help = true;
            continue;
        }
        if (argument == "--version") {
            version = true;
            continue;
        }
        if (argument == DirOption) {
            // "--dir --help" is far more likely a forgotten folder than a folder named so;
            // such a folder is still reachable as --dir=-x or --dir ./-x.
            if (i + 1 == arguments.size() || arguments[i + 1].starts_with('-')) {
                return Refused("--dir needs a folder");
            }
            folder = arguments[++i];
        } else if (argument.compare(0, DirOption.size() + 1, "--dir=") == 0) {
            folder = argument.substr(DirOption.size() + 1);
        } else if (!argument.empty() && argument[0] == '-') {
            return Refused("unknown option '" + argument + "'");
        } else {
            return Refused("unexpected argument '" + argument + "'");
        }
        // An empty folder name would silently mean the current directory.
        if (folder.empty()) return Refused("--dir needs a folder");
        if (folderGiven) return Refused("--dir given more than once");
        folderGiven = true;
        options.folder = folder;
    }
    if (help) {
        options.action = StartOptions::Action::PrintHelp;
    } else if (version) {
        options.action = StartOptions::Action::PrintVersion;
    }
    return options;
}

StartOptions ParseStartOptions(int argc, const char* const* argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    return ParseStartOptions(arguments);
}

std::string VersionLine(const ProgramIdentity& program) {
    return std::string(program.name) + " " + std::string(program.version) + "\n";
}

std::string UsageText(const ProgramIdentity& program) {
    const std::string name(program.name);
    return "Usage: " + name + " [--dir DIR]\n" + "       " + name + " --version | --help\n" +
           "Plans and logs physical training week by week.\n\n" +
           "  --dir DIR   keep the data in DIR instead of " + std::string(program.defaultFolder) +
           ";\n" +
           "              a folder that does not exist yet is created with starter files\n" +
           "  --version   print the version and exit\n" +
           "  --help      print this help and exit\n";
}

int AnswerStartOptions(const StartOptions& options, const ProgramIdentity& program, std::FILE* out,
                       std::FILE* errors) {
    switch (options.action) {
        case StartOptions::Action::PrintVersion:
            std::fputs(VersionLine(program).c_str(), out);
            return 0;
        case StartOptions::Action::PrintHelp:
            std::fputs(UsageText(program).c_str(), out);
            return 0;
        case StartOptions::Action::Refuse:
        case StartOptions::Action::Run:
            break;
    }
    const std::string problem = std::string(program.name) + ": " + options.problem + "\n";
    std::fputs(problem.c_str(), errors);
    std::fputs(UsageText(program).c_str(), errors);
    return 2;
}

std::string DataFolderFor(const char* xdgDataHome, const char* home) {
    // The base-directory rules ignore a relative XDG_DATA_HOME as invalid.
    if (IsSet(xdgDataHome) && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/velmora";
    if (IsSet(home)) return std::string(home) + "/.local/share/velmora";
    return "";
}

std::string DefaultDataFolder() {
    return DataFolderFor(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}
