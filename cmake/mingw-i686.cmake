# Cross build for 32-bit x86 Windows, the programs' target, with Debian's
# mingw-w64 (POSIX threads flavour).
set(MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
