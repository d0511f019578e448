// Helpers shared by the atlas tests: images and index files made on the
// spot, pixel access with the atlas's top-left origin.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "atlasentry.h"
#include "bitmaptestseam.h"
#include "testfolder.h"

using Bytes = std::vector<unsigned char>;

Bytes readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const Bytes& bytes);
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

// An index file's bytes.
struct IndexRecordSpec {
    std::string name;  // at most 64 bytes are stored
    AtlasEntry entry;
};
Bytes indexBytes(const std::vector<IndexRecordSpec>& records);
Bytes indexBytesWithCount(std::uint32_t claimedCount, const std::vector<IndexRecordSpec>& records);

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
