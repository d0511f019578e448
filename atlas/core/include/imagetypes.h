// The image types the file dialogs offer, taken from the image library's
// registry of formats.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One filter of a file dialog.
struct ImageType {
    std::string description;  // what the dialog shows
    std::string patterns;     // wildcards joined by ';'
    std::int32_t format;      // the library's format code; -1: the file name decides
};

// What BuildImageTypeLists asks about the formats, in the library's own terms.
// Tests put a registry of their own in its place.
struct ImageFormatRegistry {
    int (*formatCount)();
    const char* (*extensionList)(int format);  // "aaa,bbb"; null when unknown
    const char* (*description)(int format);    // null when unknown
    bool (*supportsReading)(int format);
    bool (*supportsWriting)(int format);
    bool (*supportsExportType)(int format, int imageType);
    bool (*supportsExportBitsPerPixel)(int format, int bitsPerPixel);
};

// FreeImage's registry.
const ImageFormatRegistry& freeImageRegistry();

// Appends, to each list, one entry per qualifying format in ascending format
// code, then "All Image Files (...)" when a format qualified, then
// "All Files (*.*)". readableTypes: formats that can be read; writableTypes:
// formats that can write a 32-bit bitmap. A format that reports no extension
// list or no description is offered in neither list.
void BuildImageTypeLists(std::vector<ImageType>& readableTypes, std::vector<ImageType>& writableTypes);
void BuildImageTypeLists(const ImageFormatRegistry& registry, std::vector<ImageType>& readableTypes,
                         std::vector<ImageType>& writableTypes);

// The filter buffer of a file dialog: description, zero, patterns, zero for
// each type, then one more zero.
std::vector<char> BuildFilterText(const std::vector<ImageType>& types);
