#include "dpi.h"

#include <initializer_list>

namespace {

// The wide form of NONCLIENTMETRICS with the field Windows Vista added, which
// headers for older versions leave out; the ...ForDpi call wants all of it.
struct NonClientMetrics {
    NONCLIENTMETRICSW metrics;
    int paddedBorderWidth;
};

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

// A user32 function that older versions of Windows lack, or null. The cast
// goes through the generic function type, which converts to any other.
template <typename Function>
Function User32Function(const char* name) {
    const FARPROC address = GetProcAddress(GetModuleHandleA("user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

UINT ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

// Tried with the whole structure first; Windows before Vista knows only the
// older, shorter one.
bool SystemNonClientMetrics(NonClientMetrics& metrics) {
    for (UINT size : {static_cast<UINT>(sizeof(NonClientMetrics)), static_cast<UINT>(sizeof(NONCLIENTMETRICSW))}) {
        metrics = NonClientMetrics();
        metrics.metrics.cbSize = size;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, size, &metrics, 0)) {
            return true;
        }
    }
    return false;
}

}  // namespace

UINT WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) {
            return dpi;
        }
    }
    return SystemDpi();
}

UINT SystemDpi() {
    static const UINT dpi = ScreenDpi();
    return dpi;
}

int SystemMetricForDpi(int index, UINT dpi) {
    static const auto forDpi = User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (forDpi != nullptr) {
        return forDpi(index, dpi);
    }
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

LOGFONTW MessageLogFont(UINT dpi) {
    static const auto forDpi = User32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    NonClientMetrics metrics = {};
    metrics.metrics.cbSize = sizeof(metrics);
    if (forDpi != nullptr && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
        return metrics.metrics.lfMessageFont;
    }
    if (SystemNonClientMetrics(metrics)) {
        LOGFONTW font = metrics.metrics.lfMessageFont;
        font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
        return font;
    }
    // No metrics at all: the font of message boxes since Windows Vista.
    LOGFONTW font = {};
    font.lfHeight = -ScaleForDpi(12, dpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"Segoe UI", LF_FACESIZE);
    return font;
}

UniqueFont CreateMessageFont(UINT dpi) {
    const LOGFONTW font = MessageLogFont(dpi);
    return UniqueFont(CreateFontIndirectW(&font));
}
