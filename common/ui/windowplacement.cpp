#include "windowplacement.h"

#include "settingtext.h"

void SaveWindowPlacement(const SettingsStore& settings, const char* name, HWND window) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement)) {
        return;
    }
    const RECT& normal = placement.rcNormalPosition;
    // A minimised window that was maximised before comes back maximised.
    const bool maximized = placement.showCmd == SW_SHOWMAXIMIZED ||
                           (placement.showCmd == SW_SHOWMINIMIZED && (placement.flags & WPF_RESTORETOMAXIMIZED) != 0);
    settings.writeString(name, FormatPlacement({normal.left, normal.top, normal.right, normal.bottom, maximized}));
}

void ShowWindowAsSaved(const SettingsStore& settings, const char* name, HWND window, int showCommand) {
    const std::optional<std::string> text = settings.readString(name);
    const std::optional<SavedPlacement> saved = text ? ParsePlacement(*text) : std::nullopt;
    if (!saved) {
        ShowWindow(window, showCommand);
        return;
    }
    // Placed while still hidden, then shown by ShowWindow, so that the
    // start-up show command keeps the meaning the system gives it.
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    placement.rcNormalPosition = {saved->left, saved->top, saved->right, saved->bottom};
    placement.showCmd = SW_HIDE;
    placement.flags = 0;
    SetWindowPlacement(window, &placement);
    const bool ordinaryShow = showCommand == SW_SHOWNORMAL || showCommand == SW_SHOWDEFAULT || showCommand == SW_SHOW;
    ShowWindow(window, saved->maximized && ordinaryShow ? SW_SHOWMAXIMIZED : showCommand);
}
