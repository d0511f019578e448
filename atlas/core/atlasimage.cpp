#include "atlasimage.h"

#include <climits>
#include <cstring>

#include "exceptions.h"
#include "imagefile.h"
#include "safefile.h"

namespace {

// A bitmap whose size an atlas cannot hold, in 32 bits or in the bitmap's own
// pixel type, is refused before anything else is done with it.
bool fitsAtlas(FIBITMAP* bitmap) {
    const std::uint64_t height = FreeImage_GetHeight(bitmap);
    return fitsAtlasLimits(FreeImage_GetWidth(bitmap), height) &&
           FreeImage_GetLine(bitmap) * height <= maxAtlasPixelBytes;
}

}  // namespace

FREE_IMAGE_FORMAT readableFormat(const std::string& fileName) {
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(fileName.c_str(), 0);
    if (format == FIF_UNKNOWN) {
        format = FreeImage_GetFIFFromFilename(fileName.c_str());
    }
    return format != FIF_UNKNOWN && FreeImage_FIFSupportsReading(format) ? format : FIF_UNKNOWN;
}

bool isReadableImage(const std::string& fileName) { return readableFormat(fileName) != FIF_UNKNOWN; }

bool namesImageFormat(const std::string& fileName) { return formatForSaving(fileName, FIF_UNKNOWN) != FIF_UNKNOWN; }

ImageSize imageSizeOf(const std::string& fileName) {
    const UniqueBitmap image = loadImage(fileName);
    return ImageSize{FreeImage_GetWidth(image.get()), FreeImage_GetHeight(image.get())};
}

UniqueBitmap loadImage(const std::string& fileName) {
    const FREE_IMAGE_FORMAT format = readableFormat(fileName);
    if (format == FIF_UNKNOWN) {
        THROW_AT_SITE(Exception, "Unsupported image format", fileName);
    }
    // The header first, where the format can read it alone: an image too large
    // for an atlas is refused before a single pixel is decoded.
    if (FreeImage_FIFSupportsNoPixels(format)) {
        const UniqueBitmap header(FreeImage_Load(format, fileName.c_str(), FIF_LOAD_NOPIXELS));
        if (!header || !fitsAtlas(header.get())) {
            THROW_AT_SITE(Exception, "Unable to load image", fileName);
        }
    }
    UniqueBitmap source(FreeImage_Load(format, fileName.c_str(), 0));
    if (!source || !fitsAtlas(source.get())) {
        THROW_AT_SITE(Exception, "Unable to load image", fileName);
    }
    // FreeImage's conversion of a bitmap that is 32 bits already is a copy.
    if (FreeImage_GetImageType(source.get()) == FIT_BITMAP && FreeImage_GetBPP(source.get()) == 32) {
        return source;
    }
    UniqueBitmap converted(FreeImage_ConvertTo32Bits(source.get()));
    if (!converted) {
        THROW_AT_SITE(Exception, "Unable to convert image", fileName);
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
        copy.reset(FreeImage_Copy(atlas, static_cast<int>(entry.x), static_cast<int>(entry.y), static_cast<int>(right),
                                  static_cast<int>(bottom)));
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
    const std::uint32_t atlasWidth = FreeImage_GetWidth(atlas);
    const std::uint32_t atlasHeight = FreeImage_GetHeight(atlas);
    if (std::uint64_t{left} + width > atlasWidth || std::uint64_t{top} + height > atlasHeight) {
        return;
    }
    // Atlas row r is scan line height - 1 - r; 32 bits a pixel.
    for (std::uint32_t row = top; row < top + height; ++row) {
        BYTE* line = FreeImage_GetScanLine(atlas, static_cast<int>(atlasHeight - 1 - row));
        std::memset(line + std::size_t{left} * 4, 0, std::size_t{width} * 4);
    }
}
