#include "systemtext.h"

#include "encoding.h"

SystemTextResult Utf8ToSystemText(const std::string& utf8, std::string& text) {
    text = utf8;
    return SystemTextResult::Converted;
}

std::string SystemTextToUtf8(const std::string& text) {
    std::u16string unused;
    return Utf8ToUtf16(text, unused) ? text : Windows1252ToUtf8(text);
}

SystemTextResult SystemTextToWindows1252(const std::string& text, std::string& bytes) {
    if (Utf8ToWindows1252(text, bytes)) {
        return SystemTextResult::Converted;
    }
    std::u16string unused;
    return Utf8ToUtf16(text, unused) ? SystemTextResult::Windows1252Lacks : SystemTextResult::NotUtf8;
}

bool Windows1252ToSystemText(const std::string& bytes, std::string& text) {
    text = Windows1252ToUtf8(bytes);
    return true;
}
