#include "dialoglayout.h"

#include "dpi.h"

namespace {

int Scaled(int value, UINT dpi, UINT designDpi) {
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(designDpi));
}

}  // namespace

void DialogLayout::record(HWND dialog, const AnchoredControl* controls, size_t count) {
    dpi_ = WindowDpi(dialog);
    RECT client = {};
    GetClientRect(dialog, &client);
    client_ = {client.right, client.bottom};
    RECT window = {};
    GetWindowRect(dialog, &window);
    window_ = {window.right - window.left, window.bottom - window.top};
    controls_.clear();
    for (size_t i = 0; i < count; ++i) {
        RECT rect = {};
        GetWindowRect(GetDlgItem(dialog, controls[i].id), &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        controls_.push_back({controls[i].id, controls[i].anchors, rect});
    }
}

void DialogLayout::apply(HWND dialog) const {
    const UINT dpi = WindowDpi(dialog);
    RECT client = {};
    GetClientRect(dialog, &client);
    const int grownRight = client.right - Scaled(client_.cx, dpi, dpi_);
    const int grownDown = client.bottom - Scaled(client_.cy, dpi, dpi_);
    for (const Placed& control : controls_) {
        RECT rect = {Scaled(control.rect.left, dpi, dpi_), Scaled(control.rect.top, dpi, dpi_),
                     Scaled(control.rect.right, dpi, dpi_), Scaled(control.rect.bottom, dpi, dpi_)};
        const unsigned anchors = control.anchors;
        rect.left += anchors & kMoveRight ? grownRight : 0;
        rect.right += anchors & (kMoveRight | kStretchRight) ? grownRight : 0;
        rect.top += anchors & kMoveDown ? grownDown : 0;
        rect.bottom += anchors & (kMoveDown | kStretchDown) ? grownDown : 0;
        SetWindowPos(GetDlgItem(dialog, control.id), nullptr, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(dialog, nullptr, TRUE);
}

void DialogLayout::limitSize(HWND dialog, MINMAXINFO& limits) const {
    if (window_.cx == 0) {
        return;  // not recorded yet: WM_GETMINMAXINFO comes before WM_INITDIALOG
    }
    const UINT dpi = WindowDpi(dialog);
    limits.ptMinTrackSize.x = Scaled(window_.cx, dpi, dpi_);
    limits.ptMinTrackSize.y = Scaled(window_.cy, dpi, dpi_);
}
