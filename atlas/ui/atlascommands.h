// The commands on the whole atlas: File > Export... and Edit > Compact Atlas,
// the same files and the same packing as pxatool's export and compact.
#pragma once

struct EditorApp;

// Asks for a JSON or CSV file (the dialog's type chooses whether the atlas
// image goes beside it as a PNG of the same name) and writes the export.
void ExportAtlasCommand(EditorApp& app);

// Packs every entry anew from the smallest atlas that holds them all, as one
// step of the history; the list and the selection stay.
void CompactAtlasCommand(EditorApp& app);
