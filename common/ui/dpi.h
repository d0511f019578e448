// Dots per inch of a window and the sizes that follow from them, for both
// editors. A layout is designed at 96 DPI (100 %) and scaled by the window's
// DPI, which a per-monitor aware program learns again from WM_DPICHANGED
// whenever its window moves to a monitor of another scale.
#pragma once

#include <windows.h>

#include "uniquegdi.h"

// The message a per-monitor aware window gets when its DPI changes (newer
// headers than this project targets define it): wParam holds the new DPI in
// both words, lParam the suggested window rectangle (RECT*).
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

constexpr UINT kDesignDpi = 96;

// The window's DPI. GetDpiForWindow exists from Windows 10 (1607) on and is
// looked up when first needed; before that a program is at most aware of the
// system DPI, which the screen's device context gives.
UINT WindowDpi(HWND window);
// The DPI of the primary monitor when the program started, for sizes chosen
// before a window exists.
UINT SystemDpi();

// `value` designed at 96 DPI, at `dpi`, rounded to the nearest pixel.
inline int ScaleForDpi(int value, UINT dpi) { return MulDiv(value, static_cast<int>(dpi), kDesignDpi); }
// The other way: a size at `dpi` as it would be at 96 DPI, for settings that
// must mean the same on a monitor of another scale.
inline int UnscaleForDpi(int value, UINT dpi) { return MulDiv(value, kDesignDpi, static_cast<int>(dpi)); }

// The system's message font (the one message boxes use) as a LOGFONTW for
// `dpi`: SystemParametersInfoForDpi where it exists (Windows 10 1607 on),
// else the system's metrics, which are at the system DPI, scaled.
LOGFONTW MessageLogFont(UINT dpi);

// A system metric (SM_CXVSCROLL, ...) at `dpi`: GetSystemMetricsForDpi where
// it exists (Windows 10 1607 on), else the metric at the system DPI, scaled.
int SystemMetricForDpi(int index, UINT dpi);
UniqueFont CreateMessageFont(UINT dpi);
