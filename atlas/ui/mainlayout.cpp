#include "mainlayout.h"

#include <algorithm>

#include "dpi.h"

namespace {

// The design, in pixels at 96 DPI.
const int margin = 8;             // around the boxes, and the splitter's width
const int boxTextTop = 16;        // first row inside a group box, below its caption
const int labelWidth = 42;        // "Height:" and a little room
const int valueWidth = 40;        // up to five digits
const int valueRightMargin = 10;  // after the values, inside "Properties"
const int rowHeight = 16;
const int boxBottomMargin = 8;  // under the last row of "Properties"
const int pictureGap = 20;      // between "Properties" and "Picture"
const int leastListWidth = 100;
const int leastPictureWidth = 100;

RECT rectangle(int x, int y, int width, int height) { return {x, y, x + std::max(width, 0), y + std::max(height, 0)}; }

int propertiesWidth(const LayoutInput& input) {
    const int scaledMargin = ScaleForDpi(margin, input.dpi);
    return scaledMargin + std::max(ScaleForDpi(labelWidth, input.dpi), input.text.labelWidth) +
           std::max(ScaleForDpi(valueWidth, input.dpi), input.text.valueWidth) +
           ScaleForDpi(valueRightMargin, input.dpi);
}

}  // namespace

int LeastListWidth(UINT dpi) { return ScaleForDpi(leastListWidth, dpi); }

int MostListWidth(const LayoutInput& input) {
    const int scaledMargin = ScaleForDpi(margin, input.dpi);
    const int rightColumn = std::max(propertiesWidth(input), ScaleForDpi(leastPictureWidth, input.dpi));
    return std::max(LeastListWidth(input.dpi), input.clientWidth - 2 * scaledMargin - rightColumn);
}

MainLayout ComputeMainLayout(const LayoutInput& input) {
    const UINT dpi = input.dpi;
    const int scaledMargin = ScaleForDpi(margin, dpi);
    const int listWidth = std::clamp(input.listWidth, LeastListWidth(dpi), MostListWidth(input));
    const int height = std::max(input.clientHeight, 0);

    MainLayout layout = {};
    layout.list = rectangle(0, 0, listWidth, height);
    layout.splitter = rectangle(listWidth, 0, scaledMargin, height);

    // The rows are as high as a line of the font, at least; the first one
    // starts below the box's caption.
    const int row = std::max(ScaleForDpi(rowHeight, dpi), input.text.lineHeight);
    const int firstRow = std::max(ScaleForDpi(boxTextTop, dpi), input.text.lineHeight);
    const int labelRight = scaledMargin + std::max(ScaleForDpi(labelWidth, dpi), input.text.labelWidth);
    const int valueRight = labelRight + std::max(ScaleForDpi(valueWidth, dpi), input.text.valueWidth);
    for (int i = 0; i < 4; ++i) {
        const int top = firstRow + row * i;
        layout.labels[static_cast<std::size_t>(i)] = {scaledMargin, top, labelRight, top + row};
        layout.values[static_cast<std::size_t>(i)] = {labelRight, top, valueRight, top + row};
    }
    const int right = listWidth + scaledMargin;
    const int propertiesHeight = firstRow + 4 * row + ScaleForDpi(boxBottomMargin, dpi);
    layout.properties = rectangle(right, 0, propertiesWidth(input), propertiesHeight);
    const int pictureTop = propertiesHeight + ScaleForDpi(pictureGap, dpi);
    layout.picture =
        rectangle(right, pictureTop, input.clientWidth - right - scaledMargin, height - pictureTop - scaledMargin);
    layout.previewOrigin = {scaledMargin, firstRow};
    const int pictureWidth = layout.picture.right - layout.picture.left;
    const int pictureHeight = layout.picture.bottom - layout.picture.top;
    layout.pictureInside = {scaledMargin, firstRow, std::max(pictureWidth - scaledMargin, scaledMargin),
                            std::max(pictureHeight - scaledMargin, firstRow)};
    return layout;
}
