#include "atlasimage.h"

#include <gtest/gtest.h>

#include "atlastestsupport.h"
#include "exceptions.h"

namespace {

std::string loadError(const std::string& path) {
    try {
        loadImage(path);
    } catch (const Exception& e) {
        return e.message;
    }
    return "loaded";
}

std::string saveEntryError(const AtlasEntry& entry, FIBITMAP* atlas, const std::string& path, int format) {
    try {
        saveEntryImage(entry, atlas, path, format);
    } catch (const Exception& e) {
        return e.message;
    }
    return "saved";
}

const Bytes noImageContent = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e', '\n', 0, 0, 0, 0, 0, 0};

void append16(Bytes& bytes, unsigned value) {
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}
void append32(Bytes& bytes, unsigned value) {
    append16(bytes, value & 0xFFFF);
    append16(bytes, value >> 16);
}

// A 24-bit BMP header without pixels: the pixel reader accepts a short file,
// so only the bound keeps it from being decoded.
Bytes bmpHeader(unsigned width, unsigned height) {
    Bytes bytes = {'B', 'M'};
    append32(bytes, 54);
    append32(bytes, 0);
    append32(bytes, 54);
    append32(bytes, 40);
    append32(bytes, width);
    append32(bytes, height);
    append16(bytes, 1);
    append16(bytes, 24);
    bytes.resize(54, 0);
    return bytes;
}

}  // namespace

TEST(ImageLoading, ContentDecidesTheFormatWhateverTheExtension) {
    TestFolder folder;
    const std::string path = folder.path("really_a_png.tga");
    writePatternPng(path, 5, 3, 7);
    ASSERT_EQ(FreeImage_GetFileType(path.c_str(), 0), FIF_PNG);

    const UniqueBitmap image = loadImage(path);
    ASSERT_EQ(FreeImage_GetBPP(image.get()), 32u);
    ASSERT_EQ(FreeImage_GetWidth(image.get()), 5u);
    ASSERT_EQ(FreeImage_GetHeight(image.get()), 3u);
    for (std::uint32_t y = 0; y < 3; ++y) {
        for (std::uint32_t x = 0; x < 5; ++x) {
            EXPECT_EQ(pixelAt(image.get(), x, y), patternPixel(7, x, y)) << x << "," << y;
        }
    }
}

TEST(ImageLoading, PaletteImageBecomes32BitsOfTheSameSize) {
    TestFolder folder;
    const std::string path = folder.path("palette.bmp");
    {
        const UniqueBitmap image(FreeImage_Allocate(6, 4, 8, 0, 0, 0));
        RGBQUAD* palette = FreeImage_GetPalette(image.get());
        palette[1].rgbRed = 200;
        palette[1].rgbGreen = 100;
        palette[1].rgbBlue = 50;
        FreeImage_GetScanLine(image.get(), 3)[2] = 1;  // top row, third column
        ASSERT_TRUE(FreeImage_Save(FIF_BMP, image.get(), path.c_str(), 0));
    }
    const UniqueBitmap image = loadImage(path);
    EXPECT_EQ(FreeImage_GetBPP(image.get()), 32u);
    EXPECT_EQ(FreeImage_GetWidth(image.get()), 6u);
    EXPECT_EQ(FreeImage_GetHeight(image.get()), 4u);
    const std::uint32_t pixel = pixelAt(image.get(), 2, 0);
    EXPECT_EQ(pixel & 0xFFFFFFu, 50u | 100u << 8 | 200u << 16);
    EXPECT_EQ(pixel >> 24, 255u);
}

// The decoders' guards against hostile files must not refuse ordinary ones:
// whatever FreeImage writes in 24 bits it reads back at its size.
TEST(ImageLoading, EveryFormatFreeImageWritesLoadsBack) {
    TestFolder folder;
    const UniqueBitmap image(FreeImage_Allocate(32, 32, 24, 0, 0, 0));
    for (int format = 0; format < FreeImage_GetFIFCount(); ++format) {
        const auto fif = static_cast<FREE_IMAGE_FORMAT>(format);
        if (!FreeImage_FIFSupportsWriting(fif) || !FreeImage_FIFSupportsExportBPP(fif, 24)) {
            continue;
        }
        const std::string extensions = FreeImage_GetFIFExtensionList(fif);
        const std::string path = folder.path("image." + extensions.substr(0, extensions.find(',')));
        ASSERT_TRUE(FreeImage_Save(fif, image.get(), path.c_str(), 0)) << path;
        EXPECT_EQ(loadError(path), "loaded") << path;
    }
}

TEST(ImageLoading, ReportsWhyAFileCannotBeRead) {
    TestFolder folder;
    writeFileBytes(folder.path("garbage.png"), noImageContent);
    writeFileBytes(folder.path("garbage.qqq"), noImageContent);
    struct Case {
        std::string name;
        std::string message;
    };
    const Case cases[] = {
        // The extension names a reader, which then fails on the content.
        {"garbage.png", "Unable to load image"},
        {"garbage.qqq", "Unsupported image format"},
        {"missing.qqq", "Unsupported image format"},
        {"missing.png", "Unable to load image"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(loadError(folder.path(c.name)), c.message) << c.name;
    }
}

TEST(ImageLoading, ImagesBeyondTheAtlasLimitsAreRefused) {
    TestFolder folder;
    // WBMP has no header-only reading: its bitmap is checked after decoding.
    Bytes wideWbmp = {0, 0, 0x81, 0x80, 0x01, 1};
    wideWbmp.resize(wideWbmp.size() + (maxAtlasSide + 1 + 7) / 8, 0xAA);
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"wide.bmp", bmpHeader(maxAtlasSide + 1, 1)},
        {"tall.bmp", bmpHeader(1, maxAtlasSide + 1)},
        {"too_many_pixels.bmp", bmpHeader(8193, 8192)},
        {"wide.wbmp", wideWbmp},
    };
    for (const auto& c : cases) {
        writeFileBytes(folder.path(c.name), c.bytes);
        EXPECT_EQ(loadError(folder.path(c.name)), "Unable to load image") << c.name;
    }
    writeFileBytes(folder.path("largest.bmp"), bmpHeader(maxAtlasSide, 1));
    EXPECT_EQ(loadError(folder.path("largest.bmp")), "loaded");
}

TEST(SaveEntryImage, WritesTheRectangleWithoutItsBorder) {
    TestFolder folder;
    const UniqueBitmap atlas = makePatternImage(40, 40, 3);
    const AtlasEntry entry{5, 7, 10, 20, 1};
    for (const char* name : {"entry.png", "entry.tga", "entry.bmp"}) {
        const std::string path = folder.path(name);
        saveEntryImage(entry, atlas.get(), path, -1);
        const UniqueBitmap saved = loadImage(path);
        ASSERT_EQ(FreeImage_GetWidth(saved.get()), 10u) << name;
        ASSERT_EQ(FreeImage_GetHeight(saved.get()), 20u) << name;
        for (std::uint32_t y = 0; y < 20; ++y) {
            for (std::uint32_t x = 0; x < 10; ++x) {
                ASSERT_EQ(pixelAt(saved.get(), x, y), patternPixel(3, 5 + x, 7 + y)) << name << " " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(FreeImage_GetFileType(folder.path("entry.tga").c_str(), 0), FIF_TARGA);
}

TEST(SaveEntryImage, AnExplicitFormatOverridesTheExtension) {
    TestFolder folder;
    const UniqueBitmap atlas = makePatternImage(8, 8, 1);
    const std::string path = folder.path("entry.tga");
    saveEntryImage(AtlasEntry{1, 1, 3, 3, 1}, atlas.get(), path, FIF_PNG);
    EXPECT_EQ(FreeImage_GetFileType(path.c_str(), 0), FIF_PNG);
}

TEST(SaveEntryImage, AFailedWriteIsReportedAndLeavesNoFileBehind) {
    TestFolder folder;
    const UniqueBitmap atlas = makePatternImage(16, 16, 1);
    const AtlasEntry entry{1, 1, 4, 4, 1};
    const Bytes previous = {'o', 'l', 'd'};
    writeFileBytes(folder.path("existing.jpg"), previous);

    EXPECT_EQ(saveEntryError(entry, atlas.get(), folder.path("no_such_folder/entry.png"), -1), "Unable to save image");
    EXPECT_EQ(saveEntryError(entry, atlas.get(), folder.path("entry.unknownextension"), -1), "Unable to save image");
    // JPEG cannot hold 32-bit pixels: the library refuses the write.
    EXPECT_EQ(saveEntryError(entry, atlas.get(), folder.path("existing.jpg"), -1), "Unable to save image");

    EXPECT_EQ(readFileBytes(folder.path("existing.jpg")), previous);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"existing.jpg"});
}

TEST(SaveEntryImage, ARectangleOutsideTheAtlasCannotBeCopied) {
    TestFolder folder;
    const UniqueBitmap atlas = makePatternImage(16, 16, 1);
    EXPECT_EQ(saveEntryError(AtlasEntry{10, 10, 8, 2, 1}, atlas.get(), folder.path("e.png"), -1),
              "Unable to copy bitmap");
    EXPECT_EQ(saveEntryError(AtlasEntry{0xFFFFFFF0u, 1, 0x20, 2, 1}, atlas.get(), folder.path("e.png"), -1),
              "Unable to copy bitmap");
    EXPECT_TRUE(folder.fileNames().empty());
}

TEST(ClearCell, MakesTheWholeCellTransparentBlackAndNothingElse) {
    const UniqueBitmap atlas = makePatternImage(20, 20, 9);
    clearCell(atlas.get(), 3, 4, 5, 6);
    for (std::uint32_t y = 0; y < 20; ++y) {
        for (std::uint32_t x = 0; x < 20; ++x) {
            const bool inCell = x >= 3 && x < 8 && y >= 4 && y < 10;
            EXPECT_EQ(pixelAt(atlas.get(), x, y), inCell ? 0u : patternPixel(9, x, y)) << x << "," << y;
        }
    }
}

TEST(ClearCell, KeepsThePixelsWhenNoBlankBitmapCanBeHad) {
    const UniqueBitmap atlas = makePatternImage(8, 8, 2);
    {
        ScopedAllocator failing(failingAllocator);
        clearCell(atlas.get(), 1, 1, 3, 3);
    }
    EXPECT_EQ(pixelAt(atlas.get(), 2, 2), patternPixel(2, 2, 2));
}
