// Drops files on a window as the shell does: a DROPFILES block in global
// memory sent with WM_DROPFILES, which the window then owns and frees.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

// The block WM_DROPFILES carries, for `paths`.
inline HGLOBAL DropBlock(const std::vector<std::string>& paths) {
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
    return drop;
}

inline void DropFiles(HWND window, const std::vector<std::string>& paths) {
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(DropBlock(paths)), 0);
}
