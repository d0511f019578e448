// What the entry list tells the main window: focus and selection changes,
// the end of an in-place edit, a right click.
#pragma once

#include <windows.h>

struct EditorApp;

void OnListNotify(EditorApp& app, const NMHDR& header);
