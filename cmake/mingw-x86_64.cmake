# Cross build for 64-bit Windows. Used to run the Windows tests under 64-bit
# Wine on machines whose kernel cannot execute 32-bit code.
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
