// The temporary-file-then-replace save shared by the catalogue and the history.
// Reporting a failure is left to the caller, which knows the file's message.
#include "data/safe_save.h"

namespace {

// A file the program may not write is not replaced behind its owner's back, even though
// the folder would allow the replacement.
bool MayReplace(const std::u16string& path) {
    std::int64_t size = OsFileSize(path);
    if (size == -1) return true;
    if (size < 0 || OsIsReadOnly(path)) return false;
    OsFile probe;
    if (!OsOpenReadWrite(path, probe)) return false;
    return OsClose(probe);
}

}  // namespace

bool BeginSafeSave(SafeSave& save, const std::u16string& path) {
    save.path = path;
    save.temporaryPath = path + TemporarySuffix;
    std::int64_t size = OsFileSize(path);
    if (size == -2 || (size >= 0 && OsIsReadOnly(path))) return false;
    if (CreateForWriting(save.file, save.temporaryPath)) return true;
    // A failed create may still have left an empty file behind.
    if (OsFileSize(save.temporaryPath) >= 0) OsRemoveFile(save.temporaryPath);
    return false;
}

bool FinishSafeSave(SafeSave& save) {
    bool complete = Close(save.file);
    if (complete && MayReplace(save.path) && OsReplaceFile(save.temporaryPath, save.path))
        return true;
    OsRemoveFile(save.temporaryPath);
    return false;
}

Report SaveDataFile(const std::u16string& path, bool keepOldFile, std::u16string_view messageKey,
                    const std::function<void(LineFile&)>& writeLines) {
    SafeSave save;
    if (keepOldFile || !BeginSafeSave(save, path)) return {messageKey, path};
    writeLines(save.file);
    if (FinishSafeSave(save)) return {};
    return {messageKey, path};
}
