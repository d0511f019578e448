// Includes FreeImage the same way on every platform.
#pragma once

#ifdef _WIN32
// FreeImage.h defines the include guard of mingw's windows.h; anything that
// includes windows.h afterwards would get nothing, so it must come first.
#include <windows.h>
#endif
#include <FreeImage.h>
