// SPDX-License-Identifier: GPL-3.0-or-later
// The fault seam of the file services, in the tests' build only: each armed fault fires
// once, after passBeforeFault calls have gone through, so a test can reach the second file
// of a save.
#include "platform/os_file_faults.h"

#ifdef VELMORA_FILE_FAULTS

FileFaults InjectedFileFaults;

namespace {

// Counts the bytes written since failWriteAfterBytes was armed.
std::int64_t bytesSinceArmed = 0;
std::int64_t armedWriteLimit = -1;

}  // namespace

namespace {

bool& ArmedFlag(FileFault fault) {
    switch (fault) {
        case FileFault::Create:
            return InjectedFileFaults.failCreate;
        case FileFault::Close:
            return InjectedFileFaults.failClose;
        case FileFault::Replace:
            break;
    }
    return InjectedFileFaults.failReplace;
}

}  // namespace

bool TakeFileFault(FileFault kind) {
    bool& fault = ArmedFlag(kind);
    if (!fault) return false;
    if (InjectedFileFaults.passBeforeFault > 0) {
        --InjectedFileFaults.passBeforeFault;
        return false;
    }
    fault = false;
    return true;
}

std::size_t BytesAllowedBeforeWriteFault(std::size_t size, bool& fail) {
    fail = false;
    if (InjectedFileFaults.failWriteAfterBytes != armedWriteLimit) {
        // Newly armed (or disarmed): start counting from here.
        armedWriteLimit = InjectedFileFaults.failWriteAfterBytes;
        bytesSinceArmed = 0;
    }
    if (armedWriteLimit < 0) return size;
    std::int64_t room = armedWriteLimit - bytesSinceArmed;
    if (room >= static_cast<std::int64_t>(size)) return size;
    fail = true;
    return room > 0 ? static_cast<std::size_t>(room) : 0;
}

void CountWrittenBytes(std::size_t done, bool failed) {
    bytesSinceArmed += static_cast<std::int64_t>(done);
    if (!failed) return;
    InjectedFileFaults.failWriteAfterBytes = -1;
    armedWriteLimit = -1;
    bytesSinceArmed = 0;
}

#endif
