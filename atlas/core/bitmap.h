// Ownership of FreeImage bitmaps, and the one place that allocates them.
#pragma once

#include <cstdint>
#include <memory>

#include "freeimage.h"

struct BitmapUnloader {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};

// A FreeImage bitmap that is unloaded when its owner goes away.
using UniqueBitmap = std::unique_ptr<FIBITMAP, BitmapUnloader>;

// The largest atlas, and so the largest image loadImage accepts: at most
// 16,384 pixels a side and 256 MiB of 32-bit pixels (8192 x 8192). The
// project's FreeImage refuses any bitmap of more than 256 MiB of pixels too.
const std::uint32_t maxAtlasSide = 16384;
const std::uint64_t maxAtlasPixelBytes = std::uint64_t{256} << 20;
bool fitsAtlasLimits(std::uint64_t width, std::uint64_t height);

// A new 32-bit bitmap whose pixels are all zero, or null when the size is
// zero or beyond the atlas limits, or the memory cannot be had.
UniqueBitmap allocateBitmap(std::uint32_t width, std::uint32_t height);

// The raw allocation behind allocateBitmap. Tests swap it to make allocation
// fail without exhausting memory; the function returns the one it replaced.
using BitmapAllocator = FIBITMAP* (*)(int width, int height);
BitmapAllocator replaceBitmapAllocator(BitmapAllocator allocator);

// FreeImage_Paste blends when its alpha argument is 0-255: 255 keeps only
// 255/256 of the source, so every channel of every pasted pixel would lose a
// step (opaque alpha 255 becomes 254). Above 255 it copies the pixels
// exactly, which is what every paste into the atlas means.
const int pasteExactly = 256;
