// For tests only: bitmaps that cannot be had, without exhausting memory.
#pragma once

#include "bitmap.h"

// The raw allocation behind allocateBitmap. Tests swap it to make allocation
// fail; the function returns the one it replaced.
using BitmapAllocator = FIBITMAP* (*)(int width, int height);
BitmapAllocator replaceBitmapAllocator(BitmapAllocator allocator);
