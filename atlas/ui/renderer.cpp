#include "renderer.h"

#include <FreeImage.h>

#include <sstream>

#include "editorapp.h"

namespace {

void paintPreview(HWND window) {
    PAINTSTRUCT paint;
    HDC deviceContext = BeginPaint(window, &paint);
    const EditorApp* app = AppOfWindow(window);
    if (app != nullptr && app->document) {
        drawSelected(*app->document, deviceContext, 0, 0);
    } else {
        const RECT& area = paint.rcPaint;
        BitBlt(deviceContext, area.left, area.top, area.right - area.left, area.bottom - area.top, nullptr, 0, 0,
               BLACKNESS);
    }
    EndPaint(window, &paint);
}

std::string decimal(std::uint32_t value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

void redrawPreview(const EditorApp& app) {
    InvalidateRect(app.renderer, nullptr, TRUE);
    InvalidateRect(app.mainWindow, nullptr, TRUE);
    UpdateWindow(app.renderer);
    UpdateWindow(app.mainWindow);
}

}  // namespace

int drawSelected(const FilePair& document, HDC deviceContext, int x, int y) {
    const std::optional<PreviewArea> area = document.selectedPreviewArea();
    if (!area) {
        return 0;
    }
    SetStretchBltMode(deviceContext, COLORONCOLOR);
    // Source and destination have the same size: the entry is drawn 1:1.
    // Alpha plays no part.
    return StretchDIBits(deviceContext, x, y, area->width, area->height, area->sourceX, area->sourceY, area->width,
                         area->height, FreeImage_GetBits(document.bitmap()), FreeImage_GetInfo(document.bitmap()),
                         DIB_RGB_COLORS, SRCCOPY);
}

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        paintPreview(window);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ShowEntry(EditorApp& app, const std::string& name) {
    if (!app.document->select(name)) {
        return;
    }
    const AtlasEntry* entry = app.document->find(name);
    if (entry == nullptr) {
        HidePreview(app, true);  // the selection went away: show nothing stale
        return;
    }
    const std::uint32_t values[4] = {entry->x, entry->y, entry->width, entry->height};
    for (int i = 0; i < 4; ++i) {
        SetWindowTextA(app.propertyValues[i], decimal(values[i]).c_str());
    }
    MoveWindow(app.renderer, app.layout.previewOrigin.x, app.layout.previewOrigin.y, static_cast<int>(entry->width),
               static_cast<int>(entry->height), FALSE);
    ShowWindow(app.renderer, SW_SHOW);
    redrawPreview(app);
}

void HidePreview(EditorApp& app, bool clearValues) {
    if (clearValues) {
        for (HWND value : app.propertyValues) {
            SetWindowTextA(value, "");
        }
    }
    ShowWindow(app.renderer, SW_HIDE);
    redrawPreview(app);
}
