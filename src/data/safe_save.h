// Saving a file without ever leaving it short or half-written: the new content goes to a
// temporary file of its own beside the file (a link's target), which replaces the old file
// in one step only when complete. The daily backup is taken just before that step.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "data/backups.h"
#include "data/line_file.h"
#include "platform/os_file.h"
#include "text/messages.h"

struct SafeSave {
    std::u16string path;        // the file as the program names it
    OsReplacement replacement;  // the file finally replaced and the temporary file
    LineFile file;              // writing the temporary file between Begin and Finish
};

// What a save of a data file reports: the save itself, and the daily backup before it.
struct SaveOutcome {
    Report report;
    Report backup;
};

// Refuses a read-only file or a folder in its place, then creates the temporary file. On
// false nothing is left behind and the file is untouched.
bool BeginSafeSave(SafeSave& save, const std::u16string& path);
// Completes the temporary file, lets beforeReplacing see the file about to be replaced, and
// puts the new one in its place. On false the temporary file is removed and the file is
// exactly as it was.
bool FinishSafeSave(SafeSave& save,
                    const std::function<void(const std::u16string&)>& beforeReplacing = {});
// A whole data-file save: refuses when `keepOldFile` is set (the file could not be read at
// start-up), lets writeLines write every line, keeps the daily backup, and reports
// messageKey with the path on any failure. Reports nothing only when the new file is in place.
SaveOutcome SaveDataFile(const std::u16string& path, bool keepOldFile,
                         std::u16string_view messageKey, const DailyBackup& backup,
                         const std::function<void(LineFile&)>& writeLines);
// The same for a file of bytes (the exports): Export with the path on failure.
Report SaveBytesFile(const std::u16string& path, std::string_view bytes);
