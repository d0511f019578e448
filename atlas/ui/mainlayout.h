// Where the main window's children go. Every length is designed at 96 DPI
// and scaled by the window's DPI; at 96 DPI, with the list at its first
// width of 400, the places are the ones the program has always had: the list
// at the left, "Properties" beside it at (408, 0) 100 x 88, "Picture" under
// it from y 108 to 8 pixels above the status bar and 8 from the right edge.
// The list and the right-hand column are split by a bar the user can drag:
// the 8 pixels between them.
#pragma once

#include <windows.h>

#include <array>

// The sizes of the texts in the window's font, in pixels.
struct TextSizes {
    int labelWidth = 0;  // the widest caption ("Height:")
    int valueWidth = 0;  // the widest value ("16384")
    int lineHeight = 0;  // a line of text
};

// What the layout is worked out from, in pixels at the window's DPI.
struct LayoutInput {
    int clientWidth = 0;
    int clientHeight = 0;  // above the status bar
    UINT dpi = 96;
    int listWidth = 400;  // the splitter's place, before it is kept within bounds
    TextSizes text;
};

struct MainLayout {
    RECT list;
    RECT splitter;
    RECT properties;
    // The area where entries are shown: the "Picture" group box. It is one
    // rectangle, so that another view of the atlas can take its place.
    RECT picture;
    // Inside the "Properties" box, each caption with its value beside it.
    std::array<RECT, 4> labels;
    std::array<RECT, 4> values;
    // Where the shown entry's top-left pixel goes inside "Picture".
    POINT previewOrigin;
    // The room for the picture inside "Picture", in its coordinates: from
    // previewOrigin to the margin before the box's right and bottom edges.
    RECT pictureInside;
};

MainLayout ComputeMainLayout(const LayoutInput& input);

// The narrowest and widest list for that client width (the right-hand
// column keeps the width the properties need); the splitter stays in them.
int LeastListWidth(UINT dpi);
int MostListWidth(const LayoutInput& input);
