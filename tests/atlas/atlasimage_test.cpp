#include "atlasimage.h"

#include <gtest/gtest.h>

#include "atlastestsupport.h"
#include "exceptions.h"
#include "littleendian.h"

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

Bytes fromHex(const std::string& hex) {
    Bytes bytes;
    for (std::size_t at = 0; at + 1 < hex.size(); at += 2) {
        bytes.push_back(static_cast<unsigned char>(std::stoul(hex.substr(at, 2), nullptr, 16)));
    }
    return bytes;
}

const Bytes noImageContent = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e', '\n', 0, 0, 0, 0, 0, 0};

// A 24-bit BMP header without pixels: the pixel reader accepts a short file,
// so only the bound keeps it from being decoded.
Bytes bmpHeader(unsigned width, unsigned height) {
    Bytes bytes = {'B', 'M'};
    AppendUint32Le(bytes, 54);
    AppendUint32Le(bytes, 0);
    AppendUint32Le(bytes, 54);
    AppendUint32Le(bytes, 40);
    AppendUint32Le(bytes, width);
    AppendUint32Le(bytes, height);
    AppendUint16Le(bytes, 1);
    AppendUint16Le(bytes, 24);
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

// What viewers and engines show: the stored values, and for a JPEG libjpeg's
// accurate DCT with smooth chroma upsampling. The references come from
// Pillow (Debian's python3-pil) and agree with the values written into the
// files; pixels are R, G, B, A, rows from the top.
TEST(ImageLoading, PixelsComeOutAsTheFileStoresThem) {
    struct Case {
        const char* name;
        const char* file;
        const char* expected;
    };
    const Case cases[] = {
        // 8 x 8, quality 90, 4:2:0: the fast DCT without smooth upsampling is up to 66 levels off.
        {"pattern.jpg",
         "ffd8ffe000104a46494600010100000100010000ffdb0043000302020302020303030304030304050805050404050a070706080c"
         "0a0c0c0b0a0b0b0d0e12100d0e110e0b0b1016101113141515150c0f171816141812141514ffdb00430103040405040509050509"
         "140d0b0d141414141414141414141414141414141414141414141414141414141414141414141414141414141414141414141414"
         "1414ffc00011080008000803012200021101031101ffc4001500010100000000000000000000000000000006ffc4002210000103"
         "03030500000000000000000000020104060003110712311421222351ffc4001501010100000000000000000000000000000506ff"
         "c400241100010303020701000000000000000000010203110405062151121422314191a1b1ffda000c03010002110311003f008d"
         "874674e61b057b70e2323b84e6cf4a004d1b02891f8f6f7aee5c12963e0af1ca294a9cbc64173c76e0fd0db9f525b0ad0711d3ee"
         "f275ed302120001e43429a9e55b71c5425a4c751f24cfe0f5bccff00ffd9",
         "000b00ff101004ff471222ff69103cff8d1d69ff982e90ff8d45b3ff451084ff0b3318ff283720ff634233ff86404affa44a7eff"
         "a6549effa575c1ff5c3d89ff1a6640ff417342ff6c6f22ff87682fffac8188ffc3a1bcffa09fa7ff60706fff39896eff569068ff"
         "838f4dffa49456ffd1b494ffc6b7a0ffbfddb7ff689e6dff75abadff92b7bdffbbbdcaffddc2b9ffeabc7effead584ff81af6eff"
         "7acb90ff07284bff1c2b54ff503d74ff72495bff7c4300ff7d6400ff114000ff00510aff3b4b96ff5a5598ff7f548aff9c5f6eff"
         "a6693affa28736ff315300ff2f701cff6167c5ff7f72c2ffa1689dffc37c8affce906bff795c16ff57731fff558c31ff"},
        // 2 x 1 RGB with a gAMA chunk of 0.55, which FreeImage would turn 128 into 144.
        {"gamma.png",
         "89504e470d0a1a0a0000000d49484452000000020000000108020000007b40e8dd0000000467414d410000d6d8d44f5832000000"
         "0f4944415478da63687038c1f58b01000979028d477800fc0000000049454e44ae426082",
         "8040c8ff0afa00ff"},
        // 2 x 1 grey of 16 bits (0x1234, 0xFF00): the high bytes.
        {"grey16.png",
         "89504e470d0a1a0a0000000d494844520000000200000001100000000081d9fc150000000d4944415478da631032f9cf000002e7"
         "0146a0a59e520000000049454e44ae426082",
         "121212ffffffffff"},
        // 2 x 1 icon of 24 bits whose AND mask makes the second pixel transparent.
        {"mask.ico",
         "00000100010002010000010018003400000016000000280000000200000002000000010018000000000000000000000000000000"
         "000000000000000000000a141e000000000040000000",
         "1e140aff00000000"},
    };
    TestFolder folder;
    for (const Case& c : cases) {
        const std::string path = folder.path(c.name);
        writeFileBytes(path, fromHex(c.file));
        const Bytes expected = fromHex(c.expected);
        const UniqueBitmap image = loadImage(path);
        const std::uint32_t width = FreeImage_GetWidth(image.get());
        ASSERT_EQ(std::size_t{width} * FreeImage_GetHeight(image.get()) * 4, expected.size()) << c.name;
        for (std::size_t at = 0; at < expected.size(); at += 4) {
            const std::uint32_t pixel = pixelAt(image.get(), static_cast<std::uint32_t>(at / 4 % width),
                                                static_cast<std::uint32_t>(at / 4 / width));
            const std::uint32_t rgba =
                (pixel >> 16 & 0xFFu) << 24 | (pixel >> 8 & 0xFFu) << 16 | (pixel & 0xFFu) << 8 | pixel >> 24;
            const std::uint32_t want = std::uint32_t{expected[at]} << 24 | std::uint32_t{expected[at + 1]} << 16 |
                                       std::uint32_t{expected[at + 2]} << 8 | expected[at + 3];
            EXPECT_EQ(rgba, want) << c.name << " pixel " << at / 4;
        }
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

TEST(ClearCell, NeedsNoMemoryAndLeavesACellOutsideTheAtlasAlone) {
    const UniqueBitmap atlas = makePatternImage(8, 8, 2);
    {
        ScopedAllocator failing(failingAllocator);
        clearCell(atlas.get(), 1, 1, 3, 3);
    }
    EXPECT_EQ(pixelAt(atlas.get(), 2, 2), 0u);
    clearCell(atlas.get(), 6, 0, 3, 3);
    EXPECT_EQ(pixelAt(atlas.get(), 6, 0), patternPixel(2, 6, 0));
}
