// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the data files and the exports through the platform's one file replacement: the
// new content goes to a temporary file of its own beside the file (a link's target), which
// replaces the old file in one step only when complete. The daily backup is taken just before
// that step.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "data/backups.h"
#include "data/file_bases.h"
#include "data/line_file.h"
#include "platform/os_file.h"
#include "text/messages.h"

// What a save of a data file reports: the save itself, and the daily backup before it.
struct SaveOutcome {
    Report report;
    Report backup;
    // What the file holds now when the save put it in place (identity.exists) and was asked
    // to record it: the base of the next merge.
    FileBase written;
};

// Replaces the file by the lines writeLines writes (UTF-16 line-file rules). False on any
// failure; the file is then exactly as it was and no temporary file is left. `written`, when
// given, gets the new file's identity and the hash of its bytes.
bool SaveLinesFile(const std::u16string& path, const std::function<void(LineFile&)>& writeLines,
                   const OsBeforeReplacing& beforeReplacing = {}, FileBase* written = nullptr);
// A whole data-file save: refuses when `keepOldFile` is set (the file could not be read at
// start-up), lets writeLines write every line, keeps the daily backup, and reports
// messageKey with the path on any failure. Reports nothing only when the new file is in place.
// With recordWritten, `written` of the outcome tells what the file holds then.
SaveOutcome SaveDataFile(const std::u16string& path, bool keepOldFile,
                         std::u16string_view messageKey, const DailyBackup& backup,
                         const std::function<void(LineFile&)>& writeLines,
                         bool recordWritten = false);
// The same for a file of bytes (the exports): Export with the path on failure.
Report SaveBytesFile(const std::u16string& path, std::string_view bytes);
