#include "atlastestsupport.h"

#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::vector<RecordedAllocation> allocations;
int allocationLimit = -1;

}  // namespace

bool fileExists(const std::string& path) { return fs::exists(path); }

std::uint32_t pixelAt(FIBITMAP* bitmap, std::uint32_t x, std::uint32_t y) {
    const BYTE* line = FreeImage_GetScanLine(bitmap, static_cast<int>(FreeImage_GetHeight(bitmap) - 1 - y));
    std::uint32_t value;
    std::memcpy(&value, line + std::size_t{x} * 4, 4);
    return value;
}

void setPixel(FIBITMAP* bitmap, std::uint32_t x, std::uint32_t y, std::uint32_t value) {
    BYTE* line = FreeImage_GetScanLine(bitmap, static_cast<int>(FreeImage_GetHeight(bitmap) - 1 - y));
    std::memcpy(line + std::size_t{x} * 4, &value, 4);
}

std::uint32_t patternPixel(std::uint32_t seed, std::uint32_t x, std::uint32_t y) {
    // Every channel non-zero and alpha fully opaque, so that lost or shifted
    // pixels show.
    const std::uint32_t blue = 1 + (x * 7 + seed * 31) % 254;
    const std::uint32_t green = 1 + (y * 11 + seed * 17) % 254;
    const std::uint32_t red = 1 + (x * 3 + y * 5 + seed) % 254;
    return blue | green << 8 | red << 16 | 0xFFu << 24;
}

UniqueBitmap makePatternImage(std::uint32_t width, std::uint32_t height, std::uint32_t seed) {
    UniqueBitmap image(FreeImage_Allocate(static_cast<int>(width), static_cast<int>(height), 32, 0, 0, 0));
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            setPixel(image.get(), x, y, patternPixel(seed, x, y));
        }
    }
    return image;
}

void writePatternPng(const std::string& path, std::uint32_t width, std::uint32_t height, std::uint32_t seed) {
    const UniqueBitmap image = makePatternImage(width, height, seed);
    if (!FreeImage_Save(FIF_PNG, image.get(), path.c_str(), 0)) {
        throw std::runtime_error("cannot write " + path);
    }
}

void writeBlankAtlas(const std::string& path, std::uint32_t width, std::uint32_t height) {
    UniqueBitmap image(FreeImage_Allocate(static_cast<int>(width), static_cast<int>(height), 32, 0, 0, 0));
    if (!FreeImage_Save(FIF_TARGA, image.get(), path.c_str(), 0)) {
        throw std::runtime_error("cannot write " + path);
    }
}

ScopedAllocator::ScopedAllocator(BitmapAllocator allocator) : previous_(replaceBitmapAllocator(allocator)) {
    allocations.clear();
    allocationLimit = -1;
}

ScopedAllocator::~ScopedAllocator() { replaceBitmapAllocator(previous_); }

FIBITMAP* failingAllocator(int, int) { return nullptr; }

FIBITMAP* recordingAllocator(int width, int height) {
    allocations.push_back({width, height});
    if (allocationLimit >= 0 && static_cast<int>(allocations.size()) > allocationLimit) {
        return nullptr;
    }
    return FreeImage_Allocate(width, height, 32, 0, 0, 0);
}

std::vector<RecordedAllocation>& recordedAllocations() { return allocations; }

void setRecordingAllocatorLimit(int successfulAllocations) { allocationLimit = successfulAllocations; }
