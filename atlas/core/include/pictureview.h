// How a picture (one entry, or the whole atlas) is shown in a box: its zoom,
// the part of it in view, the scroll bars it needs, which entry lies under a
// point, and its pixels over a checkerboard. Plain arithmetic, so the windows
// only ask and draw.
#pragma once

#include <cstdint>
#include <string>

#include "atlasentry.h"

struct ViewSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

inline bool operator==(const ViewSize& a, const ViewSize& b) { return a.width == b.width && a.height == b.height; }

// The zooms the zoom commands step through, as factors; 1 is one screen pixel
// per picture pixel.
constexpr double leastZoom = 1.0 / 64;
constexpr double mostZoom = 32;

// The zoom at which `content` fits in `box` keeping its aspect ratio; 1 when
// it fits as it is (a picture is never enlarged to fit), never below
// leastZoom.
double fitZoom(ViewSize content, ViewSize box);

// The next step in or out: powers of two, and from a zoom between two steps
// (a fitted one) the step beyond it. Kept within leastZoom and mostZoom.
double zoomedIn(double zoom);
double zoomedOut(double zoom);

// The picture's size on the screen at `zoom`: each side at least one pixel.
ViewSize scaledSize(ViewSize content, double zoom);

// Where the picture goes in a box: the window as large as the scaled picture
// up to the box, with a scroll bar along each side the picture overflows
// (one bar narrows the room for the other side and may call for that one
// too).
struct Viewport {
    ViewSize window;  // with its scroll bars
    ViewSize client;  // the part that shows the picture
    bool horizontalBar = false;
    bool verticalBar = false;
};

// `bars`: the width of a vertical scroll bar and the height of a horizontal one.
Viewport viewportFor(ViewSize scaled, ViewSize box, ViewSize bars);

// A scroll position kept within 0 and the part of `scaledLength` that the
// client cannot show.
std::int32_t clampScroll(std::int32_t scroll, std::int32_t scaledLength, std::int32_t clientLength);

// The scroll position that keeps the picture pixel under `anchor` (a client
// coordinate) there when the zoom changes from `before` to `after`.
std::int32_t scrollKeeping(std::int32_t anchor, std::int32_t scroll, double before, double after);

// The picture pixel shown at a screen offset (client coordinate plus scroll)
// at `zoom`: the same mapping drawing uses, so a click finds what it shows.
std::int32_t pictureCoordinate(std::int32_t screenOffset, double zoom);

// The entry whose rectangle holds the atlas pixel under a client point, or
// null; where rectangles overlap (a damaged index), the first by name.
const EntryTable::value_type* entryAt(const EntryTable& entries, std::int32_t clientX, std::int32_t clientY,
                                      double zoom, std::int32_t scrollX, std::int32_t scrollY);

// An entry's rectangle on the screen, in client coordinates: from the first
// screen pixel that shows its first pixel to the one after its last.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

ScreenRect screenRectOf(const AtlasEntry& entry, double zoom, std::int32_t scrollX, std::int32_t scrollY);

// 32-bit BGRA pixels with straight (not premultiplied) alpha, as the atlas
// keeps them: `area` (left, top, width, height, counted from the top) of an
// image whose first row in memory is its bottom one when `bottomUp`.
struct PixelSource {
    const std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;  // bytes from one row in memory to the next
    std::int32_t imageHeight = 0;
    bool bottomUp = true;
    std::int32_t left = 0;
    std::int32_t top = 0;
    ViewSize area;
};

// The checkerboard that shows through transparent pixels: squares of
// `square` screen pixels, light where (column + row) is even, anchored to the
// picture so that it scrolls with it.
constexpr std::uint32_t checkerLight = 0xFFCCCCCC;
constexpr std::uint32_t checkerDark = 0xFF999999;

std::uint32_t checkerAt(std::int32_t screenX, std::int32_t screenY, std::int32_t square);

// Draws the part of the picture in view into `out` (top-down rows of
// `size.width` BGRA pixels): each pixel alpha-blended over the checkerboard.
// Enlarged, each picture pixel becomes a block (nearest neighbour, so pixel
// art stays sharp); reduced, a screen pixel is the average of up to 4 x 4
// picture pixels under it. Screen pixels beyond the picture get `background`.
void renderPicture(const PixelSource& source, double zoom, std::int32_t scrollX, std::int32_t scrollY, ViewSize size,
                   std::int32_t square, std::uint32_t background, std::uint32_t* out);
