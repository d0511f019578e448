// The record every file dialog of the program is opened with.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

#include "imagetypes.h"

struct EditorApp;

// The record as the first Explorer-style dialogs knew it, without the members
// that later systems added (OPENFILENAME_SIZE_VERSION_400A, as in both
// editors). Owned by the main window, no custom filter, no title, no initial
// folder.
// filterIndex is 1-based; defaultExtension may be null.
OPENFILENAMEA FileDialogRecord(const EditorApp& app, const char* filter, DWORD filterIndex, char* file, DWORD fileSize,
                               const char* defaultExtension, DWORD flags);

// The 1-based filter index of the next-to-last type, "All Image Files" when
// the library knows any format.
DWORD AllImageFilesFilterIndex(const std::vector<ImageType>& types);

// The paths a multi-select dialog returned: a folder, then the names in it,
// each ending in a zero, then an empty string; or one whole path.
std::vector<std::string> PathsFromMultiSelect(const char* buffer);
