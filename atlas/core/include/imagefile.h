// Image files as the atlas reads and writes them, for callers that need no
// bitmap of their own.
#pragma once

#include <cstdint>
#include <string>

// Whether loadImage would take the file: FreeImage knows its format by its
// content, or else by its extension, and can read it.
bool isReadableImage(const std::string& fileName);

// Whether the file name's extension names a format FreeImage knows, the one
// saving with format -1 writes.
bool namesImageFormat(const std::string& fileName);

struct ImageSize {
    std::uint32_t width;
    std::uint32_t height;
};

// The size of the image in the file, loaded as the image of a pair is; throws
// as loading it does.
ImageSize imageSizeOf(const std::string& fileName);
