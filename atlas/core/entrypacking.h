// Packing images into a document's atlas: the order they go in, the cell
// each gets, growing the atlas as needed, and their pixels and borders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "atlasdocument.h"

// An image on its way into the atlas as the entry `name`. `pixels` is null
// for an entry of zero width or height, which has none.
struct NewEntryImage {
    std::string name;
    UniqueBitmap pixels;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t flag = 1;
    std::string source;  // the file it comes from; empty for an entry moved within the atlas
};

// Indices of the images in the order insertion places them: largest area
// first, images of equal area as insertion's own quicksort leaves them.
std::vector<std::size_t> placementOrder(const std::vector<NewEntryImage>& images);

// The items moved into a new list in `order`.
template <typename T>
std::vector<T> reordered(std::vector<T>& items, const std::vector<std::size_t>& order) {
    std::vector<T> result;
    result.reserve(items.size());
    for (std::size_t index : order) {
        result.push_back(std::move(items[index]));
    }
    return result;
}

// Places the images, already in placement order, one after the other,
// growing the atlas as needed, each replacing the entry its name has when
// its turn comes; marks the document modified and returns what it placed,
// in that order. On failure (an Exception, or std::bad_alloc) nothing has
// changed. Throws "Unable to expand bitmap" when the atlas cannot grow.
std::vector<PlacedEntry> packImages(AtlasDocument& document, const std::vector<NewEntryImage>& images);

// packImages for images in any order: placed largest area first.
std::vector<PlacedEntry> insertImages(AtlasDocument& document, std::vector<NewEntryImage> images);
