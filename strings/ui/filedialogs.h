// The open and save dialogs for DAT files.
#pragma once

#include "editorstate.h"

// Both fill `path` (kPathBufferSize bytes) and return false on Cancel. The
// save dialog starts from what `path` holds, the open dialog from nothing.
bool AskPathToOpen(char* path);
bool AskPathToSave(char* path);
