// The atlas view (View > Atlas): the whole atlas in the picture area with
// every entry's rectangle outlined, the selected ones highlighted and the
// focused one emphasised. A click selects the entry under the pointer in the
// list (Ctrl+click adds it to the selection); hovering names it in a tooltip.
#pragma once

#include <windows.h>

#include <cstdint>

#include "pictureview.h"

struct EditorApp;

// Switches the picture area between the preview and the atlas view.
void ToggleAtlasView(EditorApp& app);

// The tooltip of the atlas view. Throws Exception "Unable to create main window".
void CreateAtlasToolTip(EditorApp& app);

// Draws the outlines over the composed pixels of the client area.
void DrawEntryOutlines(const EditorApp& app, ViewSize client, std::uint32_t* pixels);

// The mouse in the atlas view; true when the message was handled, with its result.
bool OnAtlasViewMouse(EditorApp& app, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Selects the entry under a client point of the picture in the list, as a
// click does: alone, or added to the selection. False when there is none.
bool SelectEntryAt(EditorApp& app, POINT client, bool add);
