// A resizable dialog's layout: each control keeps its place and size from
// the dialog's resource, and follows the dialog's right and bottom edges as
// its anchors say. The layout scales with the dialog's DPI, so a dialog that
// the system moves to a monitor of another scale keeps its proportions.
#pragma once

#include <windows.h>

#include <vector>

enum Anchor : unsigned {
    kStretchRight = 1,  // the right edge keeps its distance from the dialog's right edge
    kStretchDown = 2,   // the bottom edge keeps its distance from the dialog's bottom edge
    kMoveRight = 4,     // the whole control keeps its distance from the right edge
    kMoveDown = 8,      // ... from the bottom edge
};

struct AnchoredControl {
    int id;
    unsigned anchors;
};

class DialogLayout {
public:
    // Notes where the controls and the dialog are now: the designed layout,
    // and the least size the dialog may take. For WM_INITDIALOG.
    void record(HWND dialog, const AnchoredControl* controls, size_t count);
    // Places the controls for the dialog's present size (WM_SIZE).
    void apply(HWND dialog) const;
    // Keeps the dialog at least as large as designed (WM_GETMINMAXINFO).
    void limitSize(HWND dialog, MINMAXINFO& limits) const;

private:
    struct Placed {
        int id;
        unsigned anchors;
        RECT rect;  // in the client area as designed
    };
    std::vector<Placed> controls_;
    SIZE client_ = {};
    SIZE window_ = {};
    UINT dpi_ = 96;
};
