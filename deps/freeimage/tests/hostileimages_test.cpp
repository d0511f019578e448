// Images that declare more than an atlas can hold, and the inputs that once
// crashed or hung FreeImage's decoders (written by make-hostile-images.sh).
#include "atlasimage.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "atlastestsupport.h"
#include "exceptions.h"

namespace {

std::string loadResult(const std::string& path) {
    try {
        const UniqueBitmap image = loadImage(path);
        return FreeImage_GetBPP(image.get()) == 32 ? "loaded" : "loaded with the wrong depth";
    } catch (const Exception& e) {
        return e.message;
    }
}

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
        EXPECT_EQ(loadResult(folder.path(c.name)), "Unable to load image") << c.name;
    }
    writeFileBytes(folder.path("largest.bmp"), bmpHeader(maxAtlasSide, 1));
    EXPECT_EQ(loadResult(folder.path("largest.bmp")), "loaded");
}

TEST(HostileImages, EveryInputThatOnceCrashedADecoderIsLoadedOrRefused) {
    const std::filesystem::path folder = "hostile-images";
    if (!std::filesystem::is_directory(folder)) {
        GTEST_SKIP() << "no hostile-images folder: the build found no bash to run make-hostile-images.sh";
    }
    int replayed = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        const std::string result = loadResult(file.path().string());
        EXPECT_TRUE(result == "loaded" || result == "Unable to load image" || result == "Unsupported image format" ||
                    result == "Unable to convert image")
            << file.path().filename().string() << ": " << result;
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}
