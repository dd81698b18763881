// SPDX-License-Identifier: GPL-3.0-or-later
// Shared test helpers: a temporary working directory per test, file bytes, UTF-16 text.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace test {

using Bytes = std::vector<std::uint8_t>;

// Creates a fresh directory under the system temp folder and makes it the working
// directory; restores the old working directory and removes the folder on destruction.
class TempWorkingDirectory {
  public:
    TempWorkingDirectory();
    ~TempWorkingDirectory();
    TempWorkingDirectory(const TempWorkingDirectory&) = delete;
    TempWorkingDirectory& operator=(const TempWorkingDirectory&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

Bytes ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);
bool FileExists(const std::filesystem::path& path);
// Sets when the file last changed to noon, local time, of that day, as a save on that day
// would have left it (the tests fix the program's clock, not the file system's). False when
// the file does not exist or the day cannot be converted.
bool SetFileDay(const std::filesystem::path& path, int year, int month, int day);
// The names in a folder that the program gives its temporary files while it saves.
std::vector<std::string> TemporaryFilesIn(const std::filesystem::path& folder);

// UTF-16 little-endian bytes of a text, without line ends or byte order mark.
Bytes Utf16Le(std::u16string_view text);
// The bytes of a line file holding these lines, each ended by CR LF.
Bytes LineFileBytes(const std::vector<std::u16string>& lines);
std::string ToUtf8(std::u16string_view text);
std::u16string ToUtf16(std::string_view utf8);

// One run of a program binary: exit status (-1 when it did not exit normally) and output.
struct ProcessRun {
    int status = -1;
    std::string out;
    std::string errors;
};
// Runs `program` with `arguments` in the current working directory, `input` on its standard
// input; the environment is this process's with `unset` removed and `set` added.
ProcessRun RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& input = "", const std::vector<std::string>& unset = {},
                      const std::vector<std::pair<std::string, std::string>>& set = {});

}  // namespace test
