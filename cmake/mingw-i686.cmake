# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for Windows (i686) with Debian's MinGW-w64 compilers.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VELMORA_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
