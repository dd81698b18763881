// File services built the same way on every platform from the per-platform calls of
// os_file_posix.cpp and os_file_win.cpp.
#include "data/os_file.h"

namespace {

constexpr std::size_t ReadChunkBytes = 64 * 1024;

}  // namespace

bool OsReadRest(OsFile& file, std::string& bytes, std::size_t mostBytes) {
    for (;;) {
        if (bytes.size() > mostBytes) return false;
        const std::size_t old = bytes.size();
        bytes.resize(old + ReadChunkBytes);
        const std::intptr_t got = OsRead(file, bytes.data() + old, ReadChunkBytes);
        bytes.resize(old + (got > 0 ? std::size_t(got) : 0));
        if (got < 0) return false;
        if (got == 0) return bytes.size() <= mostBytes;
    }
}
