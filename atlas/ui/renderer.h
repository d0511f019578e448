// The picture area: the focused entry (the preview) or the whole atlas (View
// > Atlas), drawn with its alpha over a checkerboard, scaled to fit the
// "Picture" box or zoomed, scrolled when larger than the box, and never
// outside it. Its numbers go in the Properties box.
#pragma once

#include <windows.h>

#include <string>

struct EditorApp;
class FilePair;

// Draws the document's selected entry 1:1 over the checkerboard with its
// top-left corner at (x, y). Returns the result of the blit, or 0 when there
// is nothing to draw.
int drawSelected(const FilePair& document, HDC deviceContext, int x, int y);

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Selects the entry in the document and shows its numbers and pixels, unless
// it is already the one shown.
void ShowEntry(EditorApp& app, const std::string& name);

// Hides the pixels; with clearValues the four numbers go too. The atlas view
// stays, showing the document as it is now.
void HidePreview(EditorApp& app, bool clearValues);

// After any change of the document (an insertion, a removal, a renaming,
// compaction, an undo or redo, another document): the picture is composed
// again and placed for its size, keeping its zoom.
void RefreshPicture(EditorApp& app);

// Places the picture window for the box's size, the picture's size and the
// zoom (the fitted one until a zoom command), with the scroll bars it needs.
void LayOutPicture(EditorApp& app);

// The zoom commands; `anchor` is the client point that stays over the same
// picture pixel (the middle for the keys and the menu).
void ZoomPicture(EditorApp& app, double zoom, POINT anchor);
void ZoomPictureBy(EditorApp& app, bool in);
void ZoomPictureToFit(EditorApp& app);
