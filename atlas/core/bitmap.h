// Ownership of FreeImage bitmaps, and the one place that allocates them.
#pragma once

#include <cstdint>
#include <memory>

#include "atlaslimits.h"
#include "freeimage.h"

struct BitmapUnloader {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};

// A FreeImage bitmap that is unloaded when its owner goes away.
using UniqueBitmap = std::unique_ptr<FIBITMAP, BitmapUnloader>;

// A new 32-bit bitmap whose pixels are all zero, or null when the size is
// zero or beyond the atlas limits, or the memory cannot be had.
UniqueBitmap allocateBitmap(std::uint32_t width, std::uint32_t height);

// FreeImage_Paste blends when its alpha argument is 0-255: 255 keeps only
// 255/256 of the source, so every channel of every pasted pixel would lose a
// step (opaque alpha 255 becomes 254). Above 255 it copies the pixels
// exactly, which is what every paste into the atlas means.
const int pasteExactly = 256;
