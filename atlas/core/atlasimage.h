// Image files in and out of the atlas, all through FreeImage.
#pragma once

#include <cstdint>
#include <string>

#include "atlasentry.h"
#include "bitmap.h"

// Any image FreeImage can read, as a new 32-bit bitmap. The content decides
// the format; the extension is only asked when the content is not recognised.
// Images beyond the atlas limits (bitmap.h) are refused, where the format
// allows from their header alone.
UniqueBitmap loadImage(const std::string& fileName);

// Writes the entry's rectangle (without the border) to fileName in `format`,
// or in the format its extension names when `format` is -1.
void saveEntryImage(const AtlasEntry& entry, FIBITMAP* atlas, const std::string& fileName, int format);

// Makes a cell transparent black. When no blank bitmap can be had the pixels
// stay as they are: the caller frees the cell anyway, so nothing is reported.
void clearCell(FIBITMAP* atlas, std::uint32_t left, std::uint32_t top, std::uint32_t width, std::uint32_t height);

// Writes bitmap to fileName through a temporary file, so that a failed write
// leaves an existing file untouched. Returns false when anything failed.
bool saveBitmapSafely(FIBITMAP* bitmap, const std::string& fileName, int format);

// The format that saving to fileName uses when asked for format -1.
int formatForSaving(const std::string& fileName, int format);
