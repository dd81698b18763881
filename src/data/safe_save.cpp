// The temporary-file-then-replace save shared by the catalogue, the history and the exports.
// Reporting a failure is left to the caller, which knows the file's message.
#include "data/safe_save.h"

namespace {

// A file the program may not write is not replaced behind its owner's back, even though
// the folder would allow the replacement.
bool MayReplace(const std::u16string& target) {
    std::int64_t size = OsFileSize(target);
    if (size == -1) return true;
    if (size < 0 || OsIsReadOnly(target)) return false;
    OsFile probe;
    if (!OsOpenReadWrite(target, probe)) return false;
    return OsClose(probe);
}

}  // namespace

bool BeginSafeSave(SafeSave& save, const std::u16string& path) {
    save.path = path;
    if (!OsBeginReplacement(path, save.replacement)) return false;
    // The line file owns the open temporary file from here on.
    StartWriting(save.file, save.replacement.file);
    save.replacement.file = OsFile{};
    return true;
}

bool FinishSafeSave(SafeSave& save,
                    const std::function<void(const std::u16string&)>& beforeReplacing) {
    const bool complete = Close(save.file);
    if (!complete || !MayReplace(save.replacement.target)) {
        OsCancelReplacement(save.replacement);
        return false;
    }
    if (beforeReplacing) beforeReplacing(save.replacement.target);
    return OsCompleteReplacement(save.replacement);
}

SaveOutcome SaveDataFile(const std::u16string& path, bool keepOldFile,
                         std::u16string_view messageKey, const DailyBackup& backup,
                         const std::function<void(LineFile&)>& writeLines) {
    SaveOutcome outcome;
    SafeSave save;
    if (keepOldFile || !BeginSafeSave(save, path)) {
        outcome.report = {messageKey, path};
        return outcome;
    }
    writeLines(save.file);
    const bool saved = FinishSafeSave(save, [&](const std::u16string& oldFile) {
        outcome.backup = KeepDailyBackup(path, oldFile, backup);
    });
    if (!saved) outcome.report = {messageKey, path};
    return outcome;
}

Report SaveBytesFile(const std::u16string& path, std::string_view bytes) {
    OsReplacement replacement;
    if (!OsBeginReplacement(path, replacement)) return {u"Export", path};
    bool written = OsWrite(replacement.file, bytes.data(), bytes.size());
    written = OsClose(replacement.file) && written;
    if (!written) {
        OsCancelReplacement(replacement);
        return {u"Export", path};
    }
    if (!MayReplace(replacement.target) || !OsCompleteReplacement(replacement)) {
        OsCancelReplacement(replacement);
        return {u"Export", path};
    }
    return {};
}
