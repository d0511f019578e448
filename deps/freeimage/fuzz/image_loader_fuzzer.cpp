// Loads an image whose bytes come from the fuzzer through loadImage, the one
// road every inserted file and every atlas takes into the editor. The input is
// an optional first line naming the file's extension ("tga\n"; the formats
// without a signature are only found by it), then the file's bytes. loadImage
// must return a 32-bit bitmap within the atlas limits or throw its Exception.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "atlasimage.h"
#include "exceptions.h"
#include "fuzzsupport.h"

namespace {

const std::size_t kLongestExtension = 4;

// The extension line, when the input starts with one of letters and digits.
std::string ExtensionOf(const std::uint8_t* data, std::size_t size) {
    std::string extension;
    for (std::size_t i = 0; i < size && i <= kLongestExtension; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\n') {
            return extension;
        }
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
            break;
        }
        extension += c;
    }
    return std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string extension = ExtensionOf(data, size);
    const std::size_t skipped = extension.empty() ? 0 : extension.size() + 1;
    const std::string path = ScratchPath("input." + (extension.empty() ? std::string("img") : extension));
    WriteFileBytes(path, data + skipped, size - skipped);
    try {
        const UniqueBitmap image = loadImage(path);
        FUZZ_EXPECT(image != nullptr);
        FUZZ_EXPECT(FreeImage_GetBPP(image.get()) == 32);
        FUZZ_EXPECT(fitsAtlasLimits(FreeImage_GetWidth(image.get()), FreeImage_GetHeight(image.get())));
    } catch (const Exception& e) {
        FUZZ_EXPECT(e.message == "Unsupported image format" || e.message == "Unable to load image" ||
                    e.message == "Unable to convert image");
    }
    std::remove(path.c_str());
    return 0;
}
