// The saves of the catalogue, the history and the exports, each one replacement of the
// platform's. Reporting a failure is left to the caller, which knows the file's message.
#include "data/safe_save.h"

bool SaveLinesFile(const std::u16string& path, const std::function<void(LineFile&)>& writeLines,
                   const OsBeforeReplacing& beforeReplacing) {
    const auto write = [&writeLines](OsFile& temporary) {
        LineFile file;
        StartWriting(file, temporary);
        writeLines(file);
        return StopWriting(file, temporary);
    };
    return OsReplaceFileWith(path, write, beforeReplacing);
}

SaveOutcome SaveDataFile(const std::u16string& path, bool keepOldFile,
                         std::u16string_view messageKey, const DailyBackup& backup,
                         const std::function<void(LineFile&)>& writeLines) {
    SaveOutcome outcome;
    const bool saved =
        !keepOldFile && SaveLinesFile(path, writeLines, [&](const std::u16string& oldFile) {
            outcome.backup = KeepDailyBackup(path, oldFile, backup);
        });
    if (!saved) outcome.report = {messageKey, path};
    return outcome;
}

Report SaveBytesFile(const std::u16string& path, std::string_view bytes) {
    const bool saved = OsReplaceFileWith(
        path, [bytes](OsFile& file) { return OsWrite(file, bytes.data(), bytes.size()); });
    return saved ? Report{} : Report{u"Export", path};
}
