// A 32-bit top-down memory bitmap selected into a memory device context, filled
// with a sentinel colour, for reading back what a window or function drew.
#pragma once

#include <windows.h>

#include <cstdint>

const std::uint32_t sentinel = 0x00123456;
const std::uint32_t colourMask = 0x00FFFFFF;  // the blit's fourth byte is reserved

class MemoryCanvas {
public:
    MemoryCanvas(int width, int height) : width_(width) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels_ = static_cast<std::uint32_t*>(bits);
        previous_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < width * height; ++i) {
            pixels_[i] = sentinel;
        }
    }
    ~MemoryCanvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    bool isReady() const { return dc_ != nullptr && pixels_ != nullptr; }
    HDC dc() const { return dc_; }
    std::uint32_t colourAt(int x, int y) {
        GdiFlush();
        return pixels_[y * width_ + x] & colourMask;
    }

private:
    int width_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
};
