#include "systemtext.h"

#include <windows.h>

#include "codepages_win32.h"
#include "encoding.h"

namespace {

constexpr UINT kWindows1252 = 1252;

}  // namespace

SystemTextResult Utf8ToSystemText(const std::string& utf8, std::string& text) {
    std::u16string utf16;
    if (!Utf8ToUtf16(utf8, utf16)) {
        return SystemTextResult::NotUtf8;
    }
    // With UTF-8 as the ANSI code page (possible since Windows 10) the text is right as it is.
    if (utf16.empty() || GetACP() == CP_UTF8) {
        text = utf8;
        return SystemTextResult::Converted;
    }
    return WideToCodePage(std::wstring(utf16.begin(), utf16.end()), CP_ACP, text) ? SystemTextResult::Converted
                                                                                  : SystemTextResult::CodePageLacks;
}

std::string SystemTextToUtf8(const std::string& text) {
    std::wstring wide;
    if (!CodePageToWide(CP_ACP, text, false, wide)) {
        return Windows1252ToUtf8(text);
    }
    return Utf16ToUtf8Lossy(std::u16string(wide.begin(), wide.end()));
}

SystemTextResult SystemTextToWindows1252(const std::string& text, std::string& bytes) {
    if (text.find('?') != std::string::npos) {
        return SystemTextResult::CodePageLacks;
    }
    if (GetACP() == kWindows1252) {
        bytes = text;
        return SystemTextResult::Converted;
    }
    return RecodeText(text, GetACP(), kWindows1252, bytes) ? SystemTextResult::Converted
                                                           : SystemTextResult::Windows1252Lacks;
}

bool Windows1252ToSystemText(const std::string& bytes, std::string& text) {
    if (GetACP() == kWindows1252) {
        text = bytes;
        return true;
    }
    return RecodeText(bytes, kWindows1252, GetACP(), text);
}
