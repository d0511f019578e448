#include "bitmaptestseam.h"

namespace {

FIBITMAP* allocateWithFreeImage(int width, int height) { return FreeImage_Allocate(width, height, 32, 0, 0, 0); }

BitmapAllocator currentAllocator = allocateWithFreeImage;

}  // namespace

UniqueBitmap allocateBitmap(std::uint32_t width, std::uint32_t height) {
    if (width == 0 || height == 0 || !fitsAtlasLimits(width, height)) {
        return nullptr;
    }
    return UniqueBitmap(currentAllocator(static_cast<int>(width), static_cast<int>(height)));
}

BitmapAllocator replaceBitmapAllocator(BitmapAllocator allocator) {
    BitmapAllocator previous = currentAllocator;
    currentAllocator = allocator;
    return previous;
}
