// SPDX-License-Identifier: GPL-3.0-or-later
// Implementation of the shared test helpers.
#include "test_support.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cassert>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>

#include "local_noon.h"
#include "platform/os_file.h"
#include "platform/unicode.h"

namespace test {

TempWorkingDirectory::TempWorkingDirectory() {
    previous_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    assert(made != nullptr && "mkdtemp failed to create a temporary directory");
    path_ = made;
    std::filesystem::current_path(path_);
}

TempWorkingDirectory::~TempWorkingDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    // Tests may leave read-only files or folders behind; make them removable first.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(path_, ignored);
}

Bytes ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

bool FileExists(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

bool SetFileDay(const std::filesystem::path& path, int year, int month, int day) {
    const std::time_t moment = LocalNoonOf(year, month, day);
    if (moment == std::time_t(-1)) return false;
    const timespec times[2] = {{moment, 0}, {moment, 0}};
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

std::vector<std::string> TemporaryFilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        const std::string name = entry.path().filename().string();
        if (IsReplacementName(Utf8ToUtf16(name))) names.push_back(name);
    }
    return names;
}

Bytes Utf16Le(std::u16string_view text) {
    Bytes bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes.push_back(std::uint8_t(unit & 0xFF));
        bytes.push_back(std::uint8_t(unit >> 8));
    }
    return bytes;
}

Bytes LineFileBytes(const std::vector<std::u16string>& lines) {
    Bytes bytes;
    for (const auto& line : lines) {
        Bytes part = Utf16Le(line);
        bytes.insert(bytes.end(), part.begin(), part.end());
        bytes.insert(bytes.end(), {0x0D, 0x00, 0x0A, 0x00});
    }
    return bytes;
}

std::string ToUtf8(std::u16string_view text) {
    return Utf16ToUtf8(text);
}
std::u16string ToUtf16(std::string_view utf8) {
    return Utf8ToUtf16(utf8);
}

ProcessRun RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& input, const std::vector<std::string>& unset,
                      const std::vector<std::pair<std::string, std::string>>& set) {
    // Files rather than pipes: nothing can block however much the program writes.
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::string pattern = (base / "velmora-run-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    assert(made != nullptr && "mkdtemp failed to create a folder for a program run");
    const std::filesystem::path folder = made;
    WriteFileBytes(folder / "in", input);
    ProcessRun run;
    const pid_t child = fork();
    if (child == 0) {
        auto redirect = [&folder](const char* name, int flags, int target) {
            const int handle = ::open((folder / name).c_str(), flags, 0600);
            if (handle < 0 || dup2(handle, target) < 0) _exit(126);
            ::close(handle);
        };
        redirect("in", O_RDONLY, 0);
        redirect("out", O_WRONLY | O_CREAT | O_TRUNC, 1);
        redirect("errors", O_WRONLY | O_CREAT | O_TRUNC, 2);
        for (const std::string& name : unset) unsetenv(name.c_str());
        for (const auto& [name, value] : set) setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        run.status = WEXITSTATUS(status);
    }
    const Bytes out = ReadFileBytes(folder / "out");
    const Bytes errors = ReadFileBytes(folder / "errors");
    run.out.assign(out.begin(), out.end());
    run.errors.assign(errors.begin(), errors.end());
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return run;
}

}  // namespace test
