// SPDX-License-Identifier: GPL-3.0-or-later
// The saves of the catalogue, the history and the exports, each one replacement of the
// platform's. Reporting a failure is left to the caller, which knows the file's message.
#include "data/safe_save.h"

bool SaveLinesFile(const std::u16string& path, const std::function<void(LineFile&)>& writeLines,
                   const OsBeforeReplacing& beforeReplacing, FileBase* written) {
    ContentHasher hasher;
    OsFileIdentity identity;
    const auto write = [&](OsFile& temporary) {
        LineFile file;
        StartWriting(file, temporary);
        // Only a save that keeps a merge base pays for the hash and the identity.
        if (written) file.hasher = &hasher;
        writeLines(file);
        const bool done = StopWriting(file, temporary);
        if (written) identity = OsIdentityOfOpen(temporary);
        return done;
    };
    OsReplacement replacement;
    if (!OsBeginReplacement(path, replacement)) return false;
    if (!OsFinishReplacement(replacement, write, beforeReplacing)) return false;
    if (written) {
        // Some file systems set the time only when the file is closed: the file now in place
        // is asked again, and taken when it is still the one written here.
        const OsFileIdentity now = OsIdentityOf(replacement.target);
        if (now.exists && now.volume == identity.volume && now.number == identity.number)
            identity = now;
        *written = {identity, HashResult(hasher)};
    }
    return true;
}

SaveOutcome SaveDataFile(const std::u16string& path, bool keepOldFile,
                         std::u16string_view messageKey, const DailyBackup& backup,
                         const std::function<void(LineFile&)>& writeLines, bool recordWritten) {
    SaveOutcome outcome;
    const bool saved = !keepOldFile && SaveLinesFile(
                                           path, writeLines,
                                           [&](const std::u16string& oldFile) {
                                               outcome.backup =
                                                   KeepDailyBackup(path, oldFile, backup);
                                           },
                                           recordWritten ? &outcome.written : nullptr);
    if (!saved) outcome.report = {messageKey, path};
    return outcome;
}

Report SaveBytesFile(const std::u16string& path, std::string_view bytes) {
    const bool saved = OsReplaceFileWith(
        path, [bytes](OsFile& file) { return OsWrite(file, bytes.data(), bytes.size()); });
    return saved ? Report{} : Report{u"Export", path};
}
