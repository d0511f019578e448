#include "atlasimage.h"

#include <climits>

#include "exceptions.h"
#include "safefile.h"

FREE_IMAGE_FORMAT readableFormat(const std::string& fileName) {
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(fileName.c_str(), 0);
    if (format == FIF_UNKNOWN) {
        format = FreeImage_GetFIFFromFilename(fileName.c_str());
    }
    return format != FIF_UNKNOWN && FreeImage_FIFSupportsReading(format) ? format : FIF_UNKNOWN;
}

UniqueBitmap loadImage(const std::string& fileName) {
    const FREE_IMAGE_FORMAT format = readableFormat(fileName);
    if (format == FIF_UNKNOWN) {
        THROW_AT_SITE(Exception, "Unsupported image format");
    }
    const UniqueBitmap source(FreeImage_Load(format, fileName.c_str(), 0));
    if (!source) {
        THROW_AT_SITE(Exception, "Unable to load image");
    }
    UniqueBitmap converted(FreeImage_ConvertTo32Bits(source.get()));
    if (!converted) {
        THROW_AT_SITE(Exception, "Unable to convert image");
    }
    return converted;
}

int formatForSaving(const std::string& fileName, int format) {
    return format == FIF_UNKNOWN ? FreeImage_GetFIFFromFilename(fileName.c_str()) : format;
}

void saveBitmap(FIBITMAP* bitmap, const StagedFile& staged, int format) {
    if (format == FIF_UNKNOWN || !staged.isCreated() ||
        !FreeImage_Save(static_cast<FREE_IMAGE_FORMAT>(format), bitmap, staged.path().c_str(), 0)) {
        THROW_AT_SITE(FileException, "Unable to save image", staged.target());
    }
}

void saveBitmapSafely(FIBITMAP* bitmap, const std::string& fileName, int format, FlushRule flushRule) {
    StagedFile staged(fileName, flushRule);
    saveBitmap(bitmap, staged, format);
    if (!staged.replaceTarget().succeeded()) {
        THROW_AT_SITE(FileException, "Unable to save image", fileName);
    }
}

UniqueBitmap copyEntryPixels(const AtlasEntry& entry, FIBITMAP* atlas) {
    // FreeImage takes int coordinates; a rectangle beyond them cannot be in the atlas.
    const std::uint64_t right = std::uint64_t{entry.x} + entry.width;
    const std::uint64_t bottom = std::uint64_t{entry.y} + entry.height;
    UniqueBitmap copy;
    if (right <= INT_MAX && bottom <= INT_MAX) {
        copy.reset(FreeImage_Copy(atlas, static_cast<int>(entry.x), static_cast<int>(entry.y),
                                  static_cast<int>(right), static_cast<int>(bottom)));
    }
    if (!copy) {
        THROW_AT_SITE(Exception, "Unable to copy bitmap");
    }
    return copy;
}

void saveEntryImage(const AtlasEntry& entry, FIBITMAP* atlas, const std::string& fileName, int format) {
    format = formatForSaving(fileName, format);
    // An extracted file is a copy of pixels the atlas keeps. A new one goes in
    // place unflushed (a flush per file would be most of the time of
    // extracting many entries): lost or left empty by a crash before the
    // system writes it out, it is written again by extracting again. A file
    // it replaces may be the user's own work, so that one is flushed first.
    saveBitmapSafely(copyEntryPixels(entry, atlas).get(), fileName, format, FlushRule::WhenReplacing);
}

void clearCell(FIBITMAP* atlas, std::uint32_t left, std::uint32_t top, std::uint32_t width, std::uint32_t height) {
    const UniqueBitmap blank = allocateBitmap(width, height);
    if (blank && left <= INT_MAX && top <= INT_MAX) {
        FreeImage_Paste(atlas, blank.get(), static_cast<int>(left), static_cast<int>(top), pasteExactly);
    }
}
