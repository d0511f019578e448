#include "dialogwindows.h"

#include <algorithm>
#include <new>

#include "dialogtemplate.h"
#include "dpi.h"

namespace {

// The message font as a template states it: in points, which the dialog
// manager turns into pixels at the dialog's own DPI.
DialogFont MessageDialogFont() {
    const UINT dpi = SystemDpi();
    const LOGFONTW font = MessageLogFont(dpi);
    DialogFont result;
    const int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    result.pointSize = std::max(1, MulDiv(height, 72, static_cast<int>(dpi)));
    result.weight = font.lfWeight;
    result.italic = font.lfItalic != 0;
    result.charset = font.lfCharSet;
    for (const WCHAR* c = font.lfFaceName; *c != 0 && c < font.lfFaceName + LF_FACESIZE; ++c) {
        result.face += static_cast<char16_t>(*c);
    }
    return result;
}

}  // namespace

INT_PTR MessageFontDialogBox(HINSTANCE instance, int id, HWND owner, DLGPROC procedure, LPARAM parameter) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes != nullptr) {
        try {
            const DialogFont font = MessageDialogFont();
            std::optional<std::vector<unsigned char>> rewritten = DialogTemplateWithFont(
                static_cast<const unsigned char*>(bytes), SizeofResource(instance, resource), font);
            if (rewritten && !font.face.empty()) {
                // DLGTEMPLATEEX starts like DLGTEMPLATE as far as the call is concerned.
                return DialogBoxIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(rewritten->data()), owner,
                                               procedure, parameter);
            }
        } catch (const std::bad_alloc&) {
            // shown in the resource's own font below
        }
    }
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(id), owner, procedure, parameter);
}

void CenterOnOwner(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    RECT ownerRect = {};
    RECT rect = {};
    if (owner == nullptr || !GetWindowRect(owner, &ownerRect) || !GetWindowRect(window, &rect)) {
        return;
    }
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int x = (ownerRect.left + ownerRect.right - width) / 2;
    int y = (ownerRect.top + ownerRect.bottom - height) / 2;
    x = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - width));
    y = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - height));
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
