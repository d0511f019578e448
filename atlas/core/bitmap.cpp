#include "bitmap.h"

#include <climits>
#include <cstddef>

namespace {

FIBITMAP* allocateWithFreeImage(int width, int height) {
    return FreeImage_Allocate(width, height, 32, 0, 0, 0);
}

BitmapAllocator currentAllocator = allocateWithFreeImage;

// FreeImage takes int sizes, and the pixels (plus its own header) must fit in
// the address space; on 32-bit Windows that is far below width * height * 4
// for the largest int sizes.
bool isAllocatableSize(std::uint32_t width, std::uint32_t height) {
    if (width == 0 || height == 0 || width > INT_MAX || height > INT_MAX) {
        return false;
    }
    const std::uint64_t pixelBytes = std::uint64_t{width} * height * 4;
    return pixelBytes <= std::uint64_t{SIZE_MAX} / 2;
}

} // namespace

UniqueBitmap allocateBitmap(std::uint32_t width, std::uint32_t height) {
    if (!isAllocatableSize(width, height)) {
        return nullptr;
    }
    return UniqueBitmap(currentAllocator(static_cast<int>(width), static_cast<int>(height)));
}

BitmapAllocator replaceBitmapAllocator(BitmapAllocator allocator) {
    BitmapAllocator previous = currentAllocator;
    currentAllocator = allocator;
    return previous;
}
