// Helpers shared by the atlas tests: images made on the spot, pixel access
// with the atlas's top-left origin; index files come from indexwriter.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bitmaptestseam.h"
#include "indexwriter.h"
#include "testfolder.h"

bool fileExists(const std::string& path);

// Pixels as 32-bit values in memory order (B, G, R, A on little-endian hosts).
std::uint32_t pixelAt(FIBITMAP* bitmap, std::uint32_t x, std::uint32_t y);
void setPixel(FIBITMAP* bitmap, std::uint32_t x, std::uint32_t y, std::uint32_t value);

// A value that differs for every pixel of every image made with a different seed.
std::uint32_t patternPixel(std::uint32_t seed, std::uint32_t x, std::uint32_t y);

// A 32-bit image filled with patternPixel(seed, ...).
UniqueBitmap makePatternImage(std::uint32_t width, std::uint32_t height, std::uint32_t seed);
// Saves a pattern image as a PNG (whatever the name's extension says).
void writePatternPng(const std::string& path, std::uint32_t width, std::uint32_t height, std::uint32_t seed);

// A transparent black 32-bit TGA atlas image.
void writeBlankAtlas(const std::string& path, std::uint32_t width, std::uint32_t height);

// Makes allocateBitmap fail or records its requests while alive.
class ScopedAllocator {
public:
    explicit ScopedAllocator(BitmapAllocator allocator);
    ~ScopedAllocator();
    ScopedAllocator(const ScopedAllocator&) = delete;
    ScopedAllocator& operator=(const ScopedAllocator&) = delete;

private:
    BitmapAllocator previous_;
};

FIBITMAP* failingAllocator(int width, int height);

// Delegates to FreeImage and remembers every requested size; with a limit set
// it fails every request after the first `limit` ones.
struct RecordedAllocation {
    int width;
    int height;
};
FIBITMAP* recordingAllocator(int width, int height);
std::vector<RecordedAllocation>& recordedAllocations();
void setRecordingAllocatorLimit(int successfulAllocations);  // -1: no limit
