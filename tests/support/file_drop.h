// Drops files on a window as the shell does: a DROPFILES block in global
// memory sent with WM_DROPFILES, which the window then owns and frees.
#pragma once

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

// The block; the window that gets it owns it.
inline HDROP MakeDrop(const std::vector<std::string>& paths) {
    std::string names;  // each path with its zero, then one more zero
    for (const std::string& path : paths) {
        names += path + '\0';
    }
    names += '\0';
    HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    std::memcpy(header + 1, names.data(), names.size());
    GlobalUnlock(drop);
    return static_cast<HDROP>(drop);
}

inline void DropFiles(HWND window, const std::vector<std::string>& paths) {
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
}
