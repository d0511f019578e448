// The preview of the focused entry: its pixels in the Picture box and its
// rectangle in the Properties box.
#pragma once

#include <windows.h>

#include <string>

struct EditorApp;
class FilePair;

// Draws the document's selected entry 1:1 with its top-left corner at (x, y),
// straight from the atlas's pixels. Returns the result of the blit, or 0 when
// there is nothing to draw.
int drawSelected(const FilePair& document, HDC deviceContext, int x, int y);

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Selects the entry in the document and shows its numbers and pixels, unless
// it is already the one shown.
void ShowEntry(EditorApp& app, const std::string& name);

// Hides the pixels; with clearValues the four numbers go too.
void HidePreview(EditorApp& app, bool clearValues);
