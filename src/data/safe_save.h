// Saving a line file without ever leaving it short or half-written: the lines go to a
// temporary file beside it, which replaces the old file in one step only when complete.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "data/line_file.h"
#include "text/messages.h"

struct SafeSave {
    std::u16string path;           // the data file
    std::u16string temporaryPath;  // path + ".new", in the same folder
    LineFile file;                 // open on the temporary file between Begin and Finish
};

inline constexpr char16_t TemporarySuffix[] = u".new";

// Refuses a read-only data file or a folder in its place, then creates the temporary
// file. On false nothing is left behind and the data file is untouched.
bool BeginSafeSave(SafeSave& save, const std::u16string& path);
// Completes the temporary file and puts it in place of the data file. On false the
// temporary file is removed and the data file is exactly as it was.
bool FinishSafeSave(SafeSave& save);
// A whole data-file save: refuses when `keepOldFile` is set (the file could not be read at
// start-up), lets writeLines write every line, and reports messageKey with the path on any
// failure. Reports nothing only when the new file is in place.
Report SaveDataFile(const std::u16string& path, bool keepOldFile, std::u16string_view messageKey,
                    const std::function<void(LineFile&)>& writeLines);
