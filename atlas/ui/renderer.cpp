#include "renderer.h"

#include <algorithm>
#include <optional>
#include <sstream>

#include "atlasview.h"
#include "dpi.h"
#include "editorapp.h"

namespace {

const int checkerSquare = 8;  // at 96 DPI
const int scrollLine = 16;    // at 96 DPI: what an arrow of a scroll bar moves

// What the picture is: the whole atlas, or the focused entry's part of it.
std::optional<PixelSource> pictureSource(const EditorApp& app) {
    if (!app.document) {
        return std::nullopt;
    }
    const FilePair& document = *app.document;
    const AtlasPixels atlas = document.pixels();
    PixelSource source;
    source.bits = atlas.bits;
    source.pitch = atlas.pitch;
    source.imageHeight = static_cast<std::int32_t>(atlas.height);
    if (app.picture.showsAtlas) {
        source.area = {static_cast<std::int32_t>(document.width()), static_cast<std::int32_t>(document.height())};
        return source;
    }
    const std::optional<PreviewArea> area = document.selectedPreviewArea();
    if (!area) {
        return std::nullopt;
    }
    source.left = area->sourceX;
    source.top = static_cast<std::int32_t>(document.height()) - area->sourceY - area->height;
    source.area = {area->width, area->height};
    return source;
}

ViewSize clientSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

void blit(HDC deviceContext, int x, int y, ViewSize size, const std::uint32_t* pixels) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(deviceContext, x, y, static_cast<DWORD>(size.width), static_cast<DWORD>(size.height), 0, 0, 0,
                      static_cast<UINT>(size.height), pixels, &info, DIB_RGB_COLORS);
}

std::uint32_t backgroundColour() {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return 0xFF000000u | std::uint32_t{GetRValue(face)} << 16 | std::uint32_t{GetGValue(face)} << 8 | GetBValue(face);
}

// The picture in view blended over the checkerboard, composed again only
// when what it shows has changed.
void compose(EditorApp& app, const PixelSource& source, ViewSize client) {
    PictureState& picture = app.picture;
    ComposedKey key;
    key.showsAtlas = picture.showsAtlas;
    key.zoom = picture.zoom;
    key.scrollX = picture.scrollX;
    key.scrollY = picture.scrollY;
    key.client = client;
    key.left = source.left;
    key.top = source.top;
    key.area = source.area;
    key.bits = source.bits;
    key.revision = picture.revision;
    key.square = ScaleForDpi(checkerSquare, app.dpi);
    if (key == picture.composedKey && !picture.composed.empty()) {
        return;
    }
    picture.composed.assign(static_cast<std::size_t>(client.width) * static_cast<std::size_t>(client.height), 0);
    renderPicture(source, picture.zoom, picture.scrollX, picture.scrollY, client, key.square, backgroundColour(),
                  picture.composed.data());
    picture.composedKey = key;
}

void paintPicture(EditorApp& app, HWND window, HDC deviceContext) {
    const ViewSize client = clientSize(window);
    const std::optional<PixelSource> source = pictureSource(app);
    if (!source || client.width <= 0 || client.height <= 0) {
        return;
    }
    compose(app, *source, client);
    PictureState& picture = app.picture;
    if (!picture.showsAtlas) {
        blit(deviceContext, 0, 0, client, picture.composed.data());
        return;
    }
    picture.frame = picture.composed;
    DrawEntryOutlines(app, client, picture.frame.data());
    blit(deviceContext, 0, 0, client, picture.frame.data());
}

void paint(HWND window) {
    PAINTSTRUCT paint;
    HDC deviceContext = BeginPaint(window, &paint);
    EditorApp* app = AppOfWindow(window);
    if (app != nullptr) {
        paintPicture(*app, window, deviceContext);
    }
    EndPaint(window, &paint);
}

std::string decimal(std::uint32_t value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

void redrawPreview(const EditorApp& app) {
    InvalidateRect(app.renderer, nullptr, FALSE);
    InvalidateRect(app.mainWindow, nullptr, TRUE);
    UpdateWindow(app.renderer);
    UpdateWindow(app.mainWindow);
}

ViewSize roomInBox(const EditorApp& app) {
    const RECT& inside = app.layout.pictureInside;
    return {inside.right - inside.left, inside.bottom - inside.top};
}

// A smaller picture leaves part of the box to paint again, around it.
void repaintBox(const EditorApp& app) {
    RedrawWindow(app.pictureBox, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void setScrollBar(HWND window, int bar, bool shown, std::int32_t scaled, std::int32_t client, std::int32_t position) {
    ShowScrollBar(window, bar, shown ? TRUE : FALSE);
    if (!shown) {
        return;
    }
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = scaled - 1;
    info.nPage = static_cast<UINT>(client);
    info.nPos = position;
    SetScrollInfo(window, bar, &info, TRUE);
}

void scrollTo(EditorApp& app, std::int32_t x, std::int32_t y) {
    app.picture.scrollX = x;
    app.picture.scrollY = y;
    LayOutPicture(app);
}

void onScroll(EditorApp& app, HWND window, int bar, WORD request) {
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    const int line = ScaleForDpi(scrollLine, app.dpi);
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP: position -= line; break;
    case SB_LINEDOWN: position += line; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = info.nMax; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    default: return;
    }
    if (bar == SB_HORZ) {
        scrollTo(app, position, app.picture.scrollY);
    } else {
        scrollTo(app, app.picture.scrollX, position);
    }
}

// The wheel scrolls (with Shift across); with Ctrl it zooms about the pointer.
void onWheel(EditorApp& app, HWND window, WPARAM wParam, LPARAM lParam) {
    const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    if (notches == 0) {
        return;
    }
    const WORD keys = GET_KEYSTATE_WPARAM(wParam);
    if ((keys & MK_CONTROL) != 0) {
        POINT pointer = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(window, &pointer);
        double zoom = app.picture.zoom;
        for (int i = 0; i < std::abs(notches); ++i) {
            zoom = notches > 0 ? zoomedIn(zoom) : zoomedOut(zoom);
        }
        ZoomPicture(app, zoom, pointer);
        return;
    }
    const int distance = -notches * 3 * ScaleForDpi(scrollLine, app.dpi);
    if ((keys & MK_SHIFT) != 0) {
        scrollTo(app, app.picture.scrollX + distance, app.picture.scrollY);
    } else {
        scrollTo(app, app.picture.scrollX, app.picture.scrollY + distance);
    }
}

}  // namespace

bool operator==(const ComposedKey& a, const ComposedKey& b) {
    return a.showsAtlas == b.showsAtlas && a.zoom == b.zoom && a.scrollX == b.scrollX && a.scrollY == b.scrollY &&
           a.client == b.client && a.left == b.left && a.top == b.top && a.area == b.area && a.bits == b.bits &&
           a.revision == b.revision && a.square == b.square;
}

int drawSelected(const FilePair& document, HDC deviceContext, int x, int y) {
    const std::optional<PreviewArea> area = document.selectedPreviewArea();
    if (!area || area->width <= 0 || area->height <= 0) {
        return 0;
    }
    const AtlasPixels atlas = document.pixels();
    PixelSource source;
    source.bits = atlas.bits;
    source.pitch = atlas.pitch;
    source.imageHeight = static_cast<std::int32_t>(atlas.height);
    source.left = area->sourceX;
    source.top = static_cast<std::int32_t>(document.height()) - area->sourceY - area->height;
    source.area = {area->width, area->height};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(area->width) * static_cast<std::size_t>(area->height));
    renderPicture(source, 1, 0, 0, source.area, checkerSquare, 0, pixels.data());
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = area->width;
    info.bmiHeader.biHeight = -area->height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return SetDIBitsToDevice(deviceContext, x, y, static_cast<DWORD>(area->width), static_cast<DWORD>(area->height), 0,
                             0, 0, static_cast<UINT>(area->height), pixels.data(), &info, DIB_RGB_COLORS);
}

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    EditorApp* app = AppOfWindow(window);
    switch (message) {
    case WM_PAINT: paint(window); return 0;
    case WM_PRINTCLIENT:
        if (app != nullptr) {
            paintPicture(*app, window, reinterpret_cast<HDC>(wParam));
        }
        return 0;
    case WM_ERASEBKGND: return 1;  // every pixel is painted
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (app != nullptr) {
            onScroll(*app, window, message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
        }
        return 0;
    case WM_MOUSEWHEEL:
        if (app != nullptr) {
            onWheel(*app, window, wParam, lParam);
        }
        return 0;
    default: break;
    }
    if (app != nullptr && app->picture.showsAtlas) {
        LRESULT result = 0;
        if (OnAtlasViewMouse(*app, message, wParam, lParam, result)) {
            return result;
        }
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
    if (app.picture.showsAtlas) {
        InvalidateRect(app.renderer, nullptr, FALSE);  // the focused outline moves
        return;
    }
    app.picture.fitted = true;
    app.picture.scrollX = 0;
    app.picture.scrollY = 0;
    LayOutPicture(app);
    redrawPreview(app);
}

void HidePreview(EditorApp& app, bool clearValues) {
    if (clearValues) {
        for (HWND value : app.propertyValues) {
            SetWindowTextA(value, "");
        }
    }
    if (app.picture.showsAtlas) {
        RefreshPicture(app);
        return;
    }
    ShowWindow(app.renderer, SW_HIDE);
    redrawPreview(app);
}

void RefreshPicture(EditorApp& app) {
    ++app.picture.revision;
    LayOutPicture(app);
}

void LayOutPicture(EditorApp& app) {
    const std::optional<PixelSource> source = pictureSource(app);
    if (!source) {
        ShowWindow(app.renderer, SW_HIDE);
        return;
    }
    PictureState& picture = app.picture;
    const ViewSize room = roomInBox(app);
    if (picture.fitted) {
        picture.zoom = fitZoom(source->area, room);
    }
    const ViewSize scaled = scaledSize(source->area, picture.zoom);
    const ViewSize bars = {SystemMetricForDpi(SM_CXVSCROLL, app.dpi), SystemMetricForDpi(SM_CYHSCROLL, app.dpi)};
    const Viewport port = viewportFor(scaled, room, bars);
    picture.scrollX = clampScroll(picture.scrollX, scaled.width, port.client.width);
    picture.scrollY = clampScroll(picture.scrollY, scaled.height, port.client.height);
    setScrollBar(app.renderer, SB_HORZ, port.horizontalBar, scaled.width, port.client.width, picture.scrollX);
    setScrollBar(app.renderer, SB_VERT, port.verticalBar, scaled.height, port.client.height, picture.scrollY);
    MoveWindow(app.renderer, app.layout.pictureInside.left, app.layout.pictureInside.top, port.window.width,
               port.window.height, TRUE);
    ShowWindow(app.renderer, SW_SHOW);
    InvalidateRect(app.renderer, nullptr, FALSE);
}

void ZoomPicture(EditorApp& app, double zoom, POINT anchor) {
    PictureState& picture = app.picture;
    const double before = picture.zoom;
    picture.fitted = false;
    picture.zoom = std::clamp(zoom, leastZoom, mostZoom);
    picture.scrollX = scrollKeeping(anchor.x, picture.scrollX, before, picture.zoom);
    picture.scrollY = scrollKeeping(anchor.y, picture.scrollY, before, picture.zoom);
    LayOutPicture(app);
    repaintBox(app);
}

void ZoomPictureBy(EditorApp& app, bool in) {
    const ViewSize client = clientSize(app.renderer);
    const POINT middle = {client.width / 2, client.height / 2};
    ZoomPicture(app, in ? zoomedIn(app.picture.zoom) : zoomedOut(app.picture.zoom), middle);
}

void ZoomPictureToFit(EditorApp& app) {
    app.picture.fitted = true;
    app.picture.scrollX = 0;
    app.picture.scrollY = 0;
    LayOutPicture(app);
    repaintBox(app);
}
