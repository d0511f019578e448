// What the picture area shows and how: the focused entry (the preview) or the
// whole atlas, its zoom and scroll position, and the pixels last drawn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "pictureview.h"

// What the composed pixels were drawn from; they are drawn again only when
// something in it differs.
struct ComposedKey {
    bool showsAtlas = false;
    double zoom = 0;
    std::int32_t scrollX = 0;
    std::int32_t scrollY = 0;
    ViewSize client;
    std::int32_t left = 0;
    std::int32_t top = 0;
    ViewSize area;
    const void* bits = nullptr;
    std::uint32_t revision = 0;
    std::int32_t square = 0;
};

bool operator==(const ComposedKey& a, const ComposedKey& b);

struct PictureState {
    bool showsAtlas = false;  // View > Atlas
    bool fitted = true;       // the zoom follows the box until a zoom command
    double zoom = 1;
    std::int32_t scrollX = 0;
    std::int32_t scrollY = 0;
    // Counts the document's changes (RefreshPicture), so that the atlas is
    // composed again after each.
    std::uint32_t revision = 0;
    // The client area's pixels blended over the checkerboard, top-down BGRA;
    // outlines are drawn over a copy, so a change of selection costs no
    // scaling.
    ComposedKey composedKey;
    std::vector<std::uint32_t> composed;
    std::vector<std::uint32_t> frame;
    // The entry under the mouse in the atlas view, and the tooltip naming it.
    std::string hovered;
    HWND toolTip = nullptr;
};
