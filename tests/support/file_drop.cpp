#include "file_drop.h"

#include <shlobj.h>

#include <cstring>

void DropFiles(HWND window, const std::vector<std::string>& paths) {
  // The paths follow the header, each with its zero, then one more zero.
  std::string names;
  for (const std::string& path : paths) {
    names += path + '\0';
  }
  names += '\0';
  HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
  auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = FALSE;
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(drop);
  SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}
