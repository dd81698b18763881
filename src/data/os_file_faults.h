// The armed faults of the file services, shared by every platform's file layer so that
// tests see the same seam on Linux and on Windows. Only the os_file_* files include this.
#pragma once

#include <cstddef>

#include "data/os_file.h"

// True when this armed fault fires now (it then disarms itself).
bool TakeFileFault(bool& fault);
// How many of `size` bytes a write may pass; `fail` tells that the write must then fail.
std::size_t BytesAllowedBeforeWriteFault(std::size_t size, bool& fail);
// Books the bytes a write passed; after a failing write the fault is disarmed.
void CountWrittenBytes(std::size_t done, bool failed);
