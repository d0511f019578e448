#include "codepages_win32.h"

#include <windows.h>

bool CodePageToWide(unsigned codePage, const std::string& text, bool strict, std::wstring& wide) {
    wide.clear();
    if (text.empty()) {
        return true;
    }
    const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
    if (size <= 0) {
        return false;
    }
    wide.assign(static_cast<std::size_t>(size), L'\0');
    return MultiByteToWideChar(codePage, flags, text.data(), length, &wide[0], size) == size;
}

bool WideToCodePage(const std::wstring& wide, unsigned codePage, std::string& text) {
    text.clear();
    if (wide.empty()) {
        return true;
    }
    // UTF-8 holds every character; WideCharToMultiByte refuses the lossy
    // flag and the best-fit flag for it.
    BOOL lossy = FALSE;
    BOOL* const lossyArgument = codePage == CP_UTF8 ? nullptr : &lossy;
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, lossyArgument);
    if (size <= 0) {
        return false;
    }
    text.assign(static_cast<std::size_t>(size), '\0');
    return WideCharToMultiByte(codePage, flags, wide.data(), length, &text[0], size, nullptr, lossyArgument) == size &&
           !lossy;
}

bool RecodeText(const std::string& text, unsigned from, unsigned to, std::string& result) {
    std::wstring wide;
    if (!CodePageToWide(from, text, true, wide)) {
        result.clear();
        return false;
    }
    return WideToCodePage(wide, to, result);
}
