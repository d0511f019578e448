#include "atlasview.h"

#include <commctrl.h>

#include <algorithm>
#include <set>
#include <string>

#include "dpi.h"
#include "editorapp.h"
#include "entrylist.h"
#include "exceptions.h"
#include "pxaeditor_resource.h"
#include "renderer.h"

namespace {

const std::uint32_t outlineColour = 0xFF00C8FF;  // a light blue that stands out on grey and on most sprites
const std::uint32_t focusColour = 0xFFFF8C00;    // orange
const std::uint32_t tintShare = 90;              // of 256: how much of the selection colour covers a selected entry

std::uint32_t highlightColour() {
    const COLORREF colour = GetSysColor(COLOR_HIGHLIGHT);
    return 0xFF000000u | std::uint32_t{GetRValue(colour)} << 16 | std::uint32_t{GetGValue(colour)} << 8 |
           GetBValue(colour);
}

// A rectangle of the client area, clipped to it.
struct Span {
    std::int32_t left, top, right, bottom;
};

Span clipped(const ScreenRect& rect, ViewSize client) {
    return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, client.width),
            std::min(rect.bottom, client.height)};
}

template <typename Paint>
void forEachPixel(std::uint32_t* pixels, ViewSize client, const ScreenRect& rect, Paint paint) {
    const Span span = clipped(rect, client);
    for (std::int32_t y = span.top; y < span.bottom; ++y) {
        std::uint32_t* line = pixels + std::int64_t{y} * client.width;
        for (std::int32_t x = span.left; x < span.right; ++x) {
            paint(line[x]);
        }
    }
}

void fill(std::uint32_t* pixels, ViewSize client, const ScreenRect& rect, std::uint32_t colour) {
    forEachPixel(pixels, client, rect, [colour](std::uint32_t& pixel) { pixel = colour; });
}

void tint(std::uint32_t* pixels, ViewSize client, const ScreenRect& rect, std::uint32_t colour) {
    forEachPixel(pixels, client, rect, [colour](std::uint32_t& pixel) {
        std::uint32_t mixed = 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) {
            const std::uint32_t under = (pixel >> shift) & 0xFFu;
            const std::uint32_t over = (colour >> shift) & 0xFFu;
            mixed |= ((under * (256 - tintShare) + over * tintShare) >> 8) << shift;
        }
        pixel = mixed;
    });
}

// A frame `thickness` pixels wide just inside the rectangle.
void frame(std::uint32_t* pixels, ViewSize client, const ScreenRect& rect, std::int32_t thickness,
           std::uint32_t colour) {
    const std::int32_t across = std::min(thickness, rect.right - rect.left);
    const std::int32_t down = std::min(thickness, rect.bottom - rect.top);
    fill(pixels, client, {rect.left, rect.top, rect.right, rect.top + down}, colour);
    fill(pixels, client, {rect.left, rect.bottom - down, rect.right, rect.bottom}, colour);
    fill(pixels, client, {rect.left, rect.top, rect.left + across, rect.bottom}, colour);
    fill(pixels, client, {rect.right - across, rect.top, rect.right, rect.bottom}, colour);
}

bool overlaps(const ScreenRect& rect, ViewSize client) {
    return rect.right > 0 && rect.bottom > 0 && rect.left < client.width && rect.top < client.height;
}

std::set<std::string> selectedNames(HWND list) {
    std::set<std::string> names;
    for (int item = NextListItem(list, -1, LVNI_SELECTED); item != -1; item = NextListItem(list, item, LVNI_SELECTED)) {
        names.insert(ListItemText(list, item));
    }
    return names;
}

void setToolTipText(const EditorApp& app, const std::string& text) {
    TOOLINFOA tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = app.mainWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(app.renderer);
    tool.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(app.picture.toolTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void onHover(EditorApp& app, POINT client) {
    const PictureState& picture = app.picture;
    const auto* hit =
        entryAt(app.document->entries(), client.x, client.y, picture.zoom, picture.scrollX, picture.scrollY);
    const std::string name = hit != nullptr ? hit->first : std::string();
    if (name == app.picture.hovered) {
        return;
    }
    app.picture.hovered = name;
    SendMessageA(app.picture.toolTip, TTM_POP, 0, 0);
    setToolTipText(app, hit != nullptr ? name + ", " + std::to_string(hit->second.width) + " x " +
                                             std::to_string(hit->second.height)
                                       : std::string());
}

}  // namespace

void ToggleAtlasView(EditorApp& app) {
    PictureState& picture = app.picture;
    picture.showsAtlas = !picture.showsAtlas;
    picture.fitted = true;
    picture.scrollX = 0;
    picture.scrollY = 0;
    picture.hovered.clear();
    CheckMenuItem(GetMenu(app.mainWindow), ID_VIEW_ATLAS,
                  MF_BYCOMMAND | (picture.showsAtlas ? MF_CHECKED : MF_UNCHECKED));
    SendMessageA(picture.toolTip, TTM_ACTIVATE, picture.showsAtlas ? TRUE : FALSE, 0);
    RefreshPicture(app);
    RedrawWindow(app.pictureBox, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CreateAtlasToolTip(EditorApp& app) {
    app.picture.toolTip =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, app.mainWindow, nullptr, app.instance, nullptr);
    if (app.picture.toolTip == nullptr) {
        THROW_AT_SITE(Exception, "Unable to create main window");
    }
    char empty[] = "";
    TOOLINFOA tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = app.mainWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(app.renderer);
    tool.lpszText = empty;
    SendMessageA(app.picture.toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(app.picture.toolTip, TTM_ACTIVATE, FALSE, 0);
}

void DrawEntryOutlines(const EditorApp& app, ViewSize client, std::uint32_t* pixels) {
    const PictureState& picture = app.picture;
    const std::set<std::string> selected = selectedNames(app.entryList);
    const std::uint32_t highlight = highlightColour();
    const std::int32_t thick = std::max(ScaleForDpi(2, app.dpi), 2);
    const AtlasEntry* focused = app.document->selected();
    for (const auto& [name, entry] : app.document->entries()) {
        const ScreenRect rect = screenRectOf(entry, picture.zoom, picture.scrollX, picture.scrollY);
        if (!overlaps(rect, client)) {
            continue;
        }
        if (selected.count(name) != 0) {
            tint(pixels, client, rect, highlight);
            frame(pixels, client, rect, thick, highlight);
        } else {
            frame(pixels, client, rect, 1, outlineColour);
        }
    }
    if (focused != nullptr) {
        const ScreenRect rect = screenRectOf(*focused, picture.zoom, picture.scrollX, picture.scrollY);
        // Around the entry, so that even one of a single screen pixel shows.
        frame(pixels, client, {rect.left - thick, rect.top - thick, rect.right + thick, rect.bottom + thick}, thick,
              focusColour);
    }
}

bool OnAtlasViewMouse(EditorApp& app, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!app.document) {
        return false;
    }
    const POINT client = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_LBUTTONDOWN:
        SelectEntryAt(app, client, (wParam & MK_CONTROL) != 0);
        result = 0;
        return true;
    case WM_MOUSEMOVE:
        onHover(app, client);
        result = 0;
        return true;
    default: return false;
    }
}

bool SelectEntryAt(EditorApp& app, POINT client, bool add) {
    const PictureState& picture = app.picture;
    const auto* hit =
        entryAt(app.document->entries(), client.x, client.y, picture.zoom, picture.scrollX, picture.scrollY);
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED;
    if (!add) {
        SendMessageA(app.entryList, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    }
    if (hit == nullptr) {
        return false;
    }
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = hit->first.c_str();
    const LRESULT item =
        SendMessageA(app.entryList, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
    if (item < 0) {
        return false;
    }
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(app.entryList, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
    SendMessageA(app.entryList, LVM_SETSELECTIONMARK, 0, item);
    SendMessageA(app.entryList, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
    return true;
}
