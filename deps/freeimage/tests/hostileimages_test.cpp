// The inputs that once crashed, hung or exhausted the memory of FreeImage's
// decoders (written by make-hostile-images.sh into the working folder), each
// loaded as the editors load every image.
#include "atlasimage.h"

#include <filesystem>

#include <gtest/gtest.h>

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

}  // namespace

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
