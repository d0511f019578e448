// Image files in and out of the atlas, all through FreeImage.
#pragma once

#include <cstdint>
#include <string>

#include "atlasentry.h"
#include "bitmap.h"

class StagedFile;
enum class FlushRule;
enum class Journal;

// The format loadImage reads the file in, found by its content or else by
// its extension; FIF_UNKNOWN when loadImage refuses it as unsupported.
FREE_IMAGE_FORMAT readableFormat(const std::string& fileName);

// Any image FreeImage can read, as a new 32-bit bitmap. The content decides
// the format; the extension is only asked when the content is not recognised.
// Images beyond the atlas limits (bitmap.h) are refused, where the format
// allows from their header alone.
UniqueBitmap loadImage(const std::string& fileName);

// loadImage for an image on its way into the atlas: one whose cell (the image
// with a one-pixel border) no atlas can hold is refused with a message that
// names the file and its size, from the header where the format allows.
UniqueBitmap loadEntryImage(const std::string& fileName);

// "NAME (W x H pixels)", how messages name an image.
std::string describeImage(const std::string& name, std::uint32_t width, std::uint32_t height);

// The largest atlas in words, for messages.
const char atlasLimitsText[] = "16,384 pixels a side and 67,108,864 pixels in all";

// The entry's rectangle (without the border) as a new bitmap. Throws
// "Unable to copy bitmap" when it cannot be had.
UniqueBitmap copyEntryPixels(const AtlasEntry& entry, FIBITMAP* atlas);

// Writes the entry's rectangle (without the border) to fileName in `format`,
// or in the format its extension names when `format` is -1. A file already
// there is replaced as one step, or with `replace` false kept: then the
// result is false and nothing is written.
bool saveEntryImage(const AtlasEntry& entry, FIBITMAP* atlas, const std::string& fileName, int format,
                    bool replace = true);

// Makes a cell transparent black, in place: it needs no memory and cannot
// fail. A cell that does not lie wholly inside the atlas is left alone.
void clearCell(FIBITMAP* atlas, std::uint32_t left, std::uint32_t top, std::uint32_t width, std::uint32_t height);

// Writes bitmap in `format` into a file staged beside its target. Throws
// FileException "Unable to save image" naming the target.
void saveBitmap(FIBITMAP* bitmap, const StagedFile& staged, int format);

// Writes bitmap to fileName through a staged file, so that a failed write
// leaves an existing file untouched; failures as above.
void saveBitmapSafely(FIBITMAP* bitmap, const std::string& fileName, int format, FlushRule flushRule, Journal journal);

// The format that saving to fileName uses when asked for format -1.
int formatForSaving(const std::string& fileName, int format);
