// The open and save dialogs for DAT files, and for the exchange files
// (CSV, JSON, PO) of Import and Export.
#pragma once

#include "editorstate.h"

// Both fill `path` (kPathBufferSize bytes) and return false on Cancel. The
// save dialog starts from what `path` holds, the open dialog from nothing.
bool AskPathToOpen(char* path);
bool AskPathToSave(char* path);

// The same for Import and Export, each starting where it was last left.
bool AskPathToImport(char* path);
bool AskPathToExport(char* path);
