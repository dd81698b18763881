// SPDX-License-Identifier: GPL-3.0-or-later
// Creating and filling a new data folder, and entering it. The file formats themselves are
// left to the preference writer (ini.ini) and the line-file writer (units/).
#include "app/data_folder.h"

#include <cstdio>
#include <system_error>

#include "app/starter_languages.h"
#include "config/configuration.h"
#include "config/preference_file.h"
#include "data/safe_save.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "platform/os_file.h"
#include "platform/unicode.h"

namespace fs = std::filesystem;

namespace {

// The file services take UTF-16 paths with "/" as separator.
std::u16string PathText(const fs::path& path) {
    const std::u8string bytes = path.generic_u8string();
    return Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool CopyFolder(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::directory_iterator entries(from, error);
    if (error) return false;
    fs::create_directory(to, error);
    if (error) return false;
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error) return false;
        const fs::path target = to / entries->path().filename();
        if (entries->is_directory(error)) {
            if (!CopyFolder(entries->path(), target)) return false;
        } else if (entries->is_regular_file(error)) {
            if (!OsCopyFile(PathText(entries->path()), PathText(target))) return false;
        }
        if (error) return false;
    }
    return !error;
}

bool WriteIni(const fs::path& folder, const std::u16string& language, std::string_view version) {
    // The same writer and the same two keys as the start-up's own ini.ini, so the bytes
    // match a file the program made itself; the writer puts it in place whole or not at all.
    PreferenceFile file;
    if (!file.StartNew(PathText(folder / ConfigurationPath))) return false;
    file.SetValue(u"Version", Utf8ToUtf16(version));
    file.SetValue(u"Language", language);
    return file.Close();
}

bool WriteLines(const fs::path& path, const std::vector<std::u16string>& lines) {
    return SaveLinesFile(PathText(path), [&lines](LineFile& file) {
        for (const std::u16string& line : lines) WriteLine(file, line);
    });
}

bool HoldsDefaults(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / "lang", error) && fs::is_directory(folder / "media", error);
}

bool FillFolder(const fs::path& folder, const fs::path& defaults, const std::u16string& language,
                std::string_view version) {
    if (!defaults.empty()) {
        if (!CopyFolder(defaults / "lang", folder / "lang")) return false;
        if (!CopyFolder(defaults / "media", folder / "media")) return false;
    }
    if (!WriteIni(folder, language, version)) return false;
    std::error_code error;
    fs::create_directory((folder / UnitFilePath).parent_path(), error);
    if (error) return false;
    // An empty history opens on the current week without a message.
    if (!WriteLines(folder / HistoryFilePath, {})) return false;
    return WriteLines(folder / UnitFilePath, StarterUnitLines(language));
}

void Complain(std::string_view program, const std::string& text) {
    std::fprintf(stderr, "%.*s: %s\n", int(program.size()), program.data(), text.c_str());
}

}  // namespace

fs::path ExecutableDirectory() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return self.parent_path();
}

fs::path FindDefaultFolder(const fs::path& executableDirectory) {
    if (executableDirectory.empty()) return {};
    for (const fs::path& candidate :
         {executableDirectory / "default",
          (executableDirectory / ".." / "share" / "velmora").lexically_normal()}) {
        if (HoldsDefaults(candidate)) return candidate;
    }
    return {};
}

bool ResolveFolderPath(const fs::path& given, fs::path& resolved, std::error_code& error) {
    error.clear();
    fs::path base = given.has_root_path() ? given.root_path() : fs::current_path(error);
    if (error) return false;
    // The system walks the path part by part from the start: it goes through links and ".."
    // only as far as the parts exist, and stops at the first one that does not.
    fs::path missing;
    bool baseIsFolder = true;
    for (const fs::path& part : given.relative_path()) {
        if (part.empty() || part == ".") continue;  // a trailing "/" gives an empty part
        if (!baseIsFolder) {
            error = std::make_error_code(std::errc::not_a_directory);
            return false;
        }
        if (!missing.empty()) {
            if (part == "..") {
                error = std::make_error_code(std::errc::no_such_file_or_directory);
                return false;
            }
            missing /= part;
            continue;
        }
        const fs::path next = base / part;
        const fs::file_status status = fs::status(next, error);
        if (status.type() == fs::file_type::not_found) {
            // A dangling link exists but leads nowhere: nothing can be made in its place.
            if (fs::symlink_status(next, error).type() != fs::file_type::not_found) {
                error = std::make_error_code(std::errc::no_such_file_or_directory);
                return false;
            }
            error.clear();
            missing = part;
            continue;
        }
        if (error) return false;
        // A file at the end is left for entering to refuse; nothing goes below it.
        baseIsFolder = status.type() == fs::file_type::directory;
        base = fs::canonical(next, error);
        if (error) return false;
    }
    resolved = missing.empty() ? base : base / missing;
    return true;
}

FolderPreparation PrepareDataFolder(const fs::path& givenFolder, const fs::path& defaults,
                                    const std::u16string& language, std::string_view version) {
    // The folder the program will enter, not the path simplified as text: "a/../b" with a
    // missing "a", or "link/../b", name other folders than "b" (or none).
    fs::path folder;
    std::error_code error;
    if (!ResolveFolderPath(givenFolder, folder, error)) return FolderPreparation::Incomplete;
    if (fs::exists(fs::symlink_status(folder, error))) return FolderPreparation::AlreadyThere;
    fs::create_directories(folder.parent_path(), error);
    // Creating the folder itself decides: whoever made it first, it is not filled twice.
    if (!fs::create_directory(folder, error)) {
        return error ? FolderPreparation::Incomplete : FolderPreparation::AlreadyThere;
    }
    return FillFolder(folder, defaults, language, version) ? FolderPreparation::Prepared
                                                           : FolderPreparation::Incomplete;
}

bool EnterDataFolder(const std::string& folder, std::string_view program,
                     std::string_view version) {
    if (folder.empty()) {
        Complain(program,
                 "no folder for the data: neither XDG_DATA_HOME nor HOME is set; use --dir");
        return false;
    }
    fs::path path;
    std::error_code error;
    if (!ResolveFolderPath(fs::path(folder), path, error)) {
        Complain(program, "cannot use the folder " + folder + ": " + error.message());
        return false;
    }
    if (fs::symlink_status(path, error).type() == fs::file_type::not_found) {
        const fs::path defaults = FindDefaultFolder(ExecutableDirectory());
        if (defaults.empty()) {
            Complain(program, "no default folder beside the program: lang/ and media/ not copied");
        }
        const FolderPreparation result =
            PrepareDataFolder(path, defaults, LanguageFromEnvironment(), version);
        if (result == FolderPreparation::Incomplete) {
            Complain(program, "could not fill the new folder " + folder + " completely");
        }
    }
    // The folder just prepared, by the path it was prepared under.
    fs::current_path(path, error);
    if (error) {
        Complain(program, "cannot use the folder " + folder + ": " + error.message());
        return false;
    }
    return true;
}
