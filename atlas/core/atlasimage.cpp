#include "atlasimage.h"

#include <climits>
#include <cstring>
#include <memory>

#include "exceptions.h"
#include "filepath.h"
#include "imagefile.h"
#include "rawfile.h"
#include "safefile.h"

namespace {

// A bitmap whose size an atlas cannot hold, in 32 bits or in the bitmap's own
// pixel type, is refused before anything else is done with it.
bool fitsAtlas(FIBITMAP* bitmap) {
    const std::uint64_t height = FreeImage_GetHeight(bitmap);
    return fitsAtlasLimits(FreeImage_GetWidth(bitmap), height) &&
           FreeImage_GetLine(bitmap) * height <= maxAtlasPixelBytes;
}

// The load flags that give each format's pixels as the file stores them, as
// image viewers and game engines show them. Formats not named here have no
// flag that changes their pixels, or their default is already that: TGA keeps
// its alpha (not TARGA_LOAD_RGB888), TIFF and PSD convert CMYK and Lab to RGB
// (not TIFF_CMYK, PSD_CMYK or PSD_LAB), GIF gives its first frame's own pixels
// (GIF_PLAYBACK would paint them over the background colour of the logical
// screen), PCD its base image of 768 x 512, and JPEG is not turned by its
// Exif orientation (JPEG_EXIFROTATE), as engines do not turn it either.
int loadFlagsFor(FREE_IMAGE_FORMAT format) {
    switch (format) {
    case FIF_JPEG:
        // FreeImage's default is libjpeg's fast integer DCT without smooth
        // chroma upsampling, up to 69 levels off the standard decode.
        return JPEG_ACCURATE;
    case FIF_PNG:
        // By default a gAMA chunk is applied towards a screen gamma of 2.2;
        // engines and viewers show the stored values.
        return PNG_IGNOREGAMMA;
    case FIF_JNG:
    case FIF_MNG:
        // Their JPEG and PNG parts are read with these flags passed on.
        return JPEG_ACCURATE | PNG_IGNOREGAMMA;
    case FIF_ICO:
        // An icon of fewer than 32 bits keeps its transparency in the AND
        // mask, which only this flag turns into alpha.
        return ICO_MAKEALPHA;
    default: return 0;
    }
}

// ICO_MAKEALPHA also inverts the colour of every pixel it makes transparent;
// the colour the file stores there is given back.
void restoreMaskedIconColours(FIBITMAP* icon) {
    const std::uint32_t width = FreeImage_GetWidth(icon);
    const std::uint32_t height = FreeImage_GetHeight(icon);
    for (std::uint32_t y = 0; y < height; ++y) {
        RGBQUAD* pixel = reinterpret_cast<RGBQUAD*>(FreeImage_GetScanLine(icon, static_cast<int>(y)));
        for (std::uint32_t x = 0; x < width; ++x, ++pixel) {
            if (pixel->rgbReserved == 0) {
                pixel->rgbBlue ^= 0xFF;
                pixel->rgbGreen ^= 0xFF;
                pixel->rgbRed ^= 0xFF;
            }
        }
    }
}

// 16-bit greyscale (PNG, TIFF, PNM) has no direct conversion to 32 bits;
// through 8 bits it keeps the high byte of each value, as the 16-bit colour
// types do.
UniqueBitmap convertTo32Bits(FIBITMAP* source) {
    if (FreeImage_GetImageType(source) == FIT_UINT16) {
        const UniqueBitmap grey(FreeImage_ConvertTo8Bits(source));
        return UniqueBitmap(grey ? FreeImage_ConvertTo32Bits(grey.get()) : nullptr);
    }
    return UniqueBitmap(FreeImage_ConvertTo32Bits(source));
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

std::string describeImage(const std::string& name, std::uint32_t width, std::uint32_t height) {
    return name + " (" + std::to_string(width) + " x " + std::to_string(height) + " pixels)";
}

namespace {

using SizeCheck = void (*)(const std::string& fileName, FIBITMAP* bitmap);

void refuseBeyondAtlas(const std::string& fileName, FIBITMAP* bitmap) {
    if (!fitsAtlas(bitmap)) {
        THROW_AT_SITE(Exception, "Unable to load image", fileName);
    }
}

// An image whose cell, one pixel wider on every side, no atlas can hold is
// refused by its size, so the user learns what is wrong with it.
void refuseBeyondEntryCell(const std::string& fileName, FIBITMAP* bitmap) {
    const std::uint32_t width = FreeImage_GetWidth(bitmap);
    const std::uint32_t height = FreeImage_GetHeight(bitmap);
    if (!fitsAtlasLimits(std::uint64_t{width} + 2, std::uint64_t{height} + 2)) {
        THROW_AT_SITE(Exception,
                      describeImage(FileNamePart(fileName), width, height) +
                          " is too large for an atlas: with its one-pixel border an image may have at most " +
                          atlasLimitsText,
                      fileName);
    }
    refuseBeyondAtlas(fileName, bitmap);
}

UniqueBitmap loadChecked(const std::string& fileName, SizeCheck refuseSize) {
    const FREE_IMAGE_FORMAT format = readableFormat(fileName);
    if (format == FIF_UNKNOWN) {
        THROW_AT_SITE(Exception, "Unsupported image format", fileName);
    }
    // The header first, where the format can read it alone: an image too large
    // for an atlas is refused before a single pixel is decoded.
    unsigned headerBitsPerPixel = 0;
    if (FreeImage_FIFSupportsNoPixels(format)) {
        const UniqueBitmap header(FreeImage_Load(format, fileName.c_str(), FIF_LOAD_NOPIXELS));
        if (!header) {
            THROW_AT_SITE(Exception, "Unable to load image", fileName);
        }
        refuseSize(fileName, header.get());
        headerBitsPerPixel = FreeImage_GetBPP(header.get());
    }
    UniqueBitmap source(FreeImage_Load(format, fileName.c_str(), loadFlagsFor(format)));
    if (!source) {
        THROW_AT_SITE(Exception, "Unable to load image", fileName);
    }
    refuseSize(fileName, source.get());
    if (format == FIF_ICO && headerBitsPerPixel < 32 && FreeImage_GetBPP(source.get()) == 32) {
        restoreMaskedIconColours(source.get());
    }
    // FreeImage's conversion of a bitmap that is 32 bits already is a copy.
    if (FreeImage_GetImageType(source.get()) == FIT_BITMAP && FreeImage_GetBPP(source.get()) == 32) {
        return source;
    }
    UniqueBitmap converted = convertTo32Bits(source.get());
    if (!converted) {
        THROW_AT_SITE(Exception, "Unable to convert image", fileName);
    }
    return converted;
}

}  // namespace

UniqueBitmap loadImage(const std::string& fileName) { return loadChecked(fileName, refuseBeyondAtlas); }

UniqueBitmap loadEntryImage(const std::string& fileName) { return loadChecked(fileName, refuseBeyondEntryCell); }

int formatForSaving(const std::string& fileName, int format) {
    return format == FIF_UNKNOWN ? FreeImage_GetFIFFromFilename(fileName.c_str()) : format;
}

void saveBitmap(FIBITMAP* bitmap, const StagedFile& staged, int format) {
    if (format == FIF_UNKNOWN || !staged.isCreated() ||
        !FreeImage_Save(static_cast<FREE_IMAGE_FORMAT>(format), bitmap, staged.path().c_str(), 0)) {
        THROW_AT_SITE(FileException, "Unable to save image", staged.target());
    }
}

void saveBitmapSafely(FIBITMAP* bitmap, const std::string& fileName, int format, FlushRule flushRule, Journal journal) {
    SaveUnit unit({fileName}, flushRule, journal);
    saveBitmap(bitmap, unit.file(0), format);
    if (!unit.replaceTargets().succeeded()) {
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

namespace {

struct MemoryCloser {
    void operator()(FIMEMORY* memory) const { FreeImage_CloseMemory(memory); }
};

}  // namespace

bool saveEntryImage(const AtlasEntry& entry, FIBITMAP* atlas, const std::string& fileName, int format, bool replace) {
    format = formatForSaving(fileName, format);
    // Encoded whole before the file is touched, so a format that cannot hold
    // the pixels leaves nothing behind.
    const std::unique_ptr<FIMEMORY, MemoryCloser> encoded(FreeImage_OpenMemory(nullptr, 0));
    BYTE* data = nullptr;
    DWORD size = 0;
    if (format == FIF_UNKNOWN || !encoded ||
        !FreeImage_SaveToMemory(static_cast<FREE_IMAGE_FORMAT>(format), copyEntryPixels(entry, atlas).get(),
                                encoded.get(), 0) ||
        !FreeImage_AcquireMemory(encoded.get(), &data, &size)) {
        THROW_AT_SITE(FileException, "Unable to save image", fileName);
    }
    // An extracted file is a copy of pixels the atlas keeps. A new one is
    // written in place, unflushed: a staged file and a rename would each
    // cost a look-up of a name not yet there, which Wine answers by reading
    // the whole folder, and a flush per file would be most of the time of
    // extracting many entries. Lost or left empty by a crash before the
    // system writes it out, it is written again by extracting again. A file
    // it replaces may be the user's own work: that one is replaced as one
    // step by a flushed staged file.
    RawFile file;
    switch (RawFileCreateNew(file, fileName.c_str())) {
    case RawCreateResult::Created:
        if (RawFileWrite(file, data, size) && RawFileClose(file)) {
            return true;
        }
        RawFileClose(file);
        RawFileDelete(fileName.c_str());
        break;
    case RawCreateResult::AlreadyExists:
        if (!replace) {
            return false;
        }
        if (SaveFile(
                fileName, [&](RawFile& staged) { return RawFileWrite(staged, data, size); }, Journal::None)
                .succeeded()) {
            return true;
        }
        break;
    case RawCreateResult::Failed: break;
    }
    THROW_AT_SITE(FileException, "Unable to save image", fileName);
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
