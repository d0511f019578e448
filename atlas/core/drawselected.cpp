// The one drawing operation of the document, for the Windows preview.
#include "filepair.h"

#include "previewarea.h"

int FilePair::drawSelected(HDC deviceContext, int x, int y) const {
    const std::optional<PreviewArea> area = selectedPreviewArea();
    if (!area) {
        return 0;
    }
    SetStretchBltMode(deviceContext, COLORONCOLOR);
    // Source and destination have the same size: the entry is drawn 1:1,
    // straight from the atlas's pixels. Alpha plays no part.
    return StretchDIBits(deviceContext, x, y, area->width, area->height, area->sourceX, area->sourceY, area->width,
                         area->height, FreeImage_GetBits(bitmap()), FreeImage_GetInfo(bitmap()), DIB_RGB_COLORS,
                         SRCCOPY);
}
