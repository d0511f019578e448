#include "toolplatform.h"

#include <fcntl.h>
#include <io.h>
#include <cstdio>
#include <memory>

#include <windows.h>
#include <shellapi.h>

#include "encoding.h"
#include "toolerror.h"

namespace {

struct LocalFreeDeleter {
    void operator()(LPWSTR* block) const { LocalFree(block); }
};

std::u16string ToU16(const wchar_t* text) {
    std::u16string result;
    for (; *text != L'\0'; ++text) {
        result += static_cast<char16_t>(*text);
    }
    return result;
}

} // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv, bool asUtf8) {
    if (!asUtf8) {
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    }
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreeDeleter> wide(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!wide) {
        throw ToolError("", "cannot read the command line");
    }
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        std::string utf8;
        if (!Utf16ToUtf8(ToU16(wide.get()[i]), utf8)) {
            throw ToolError("", "the command line is not valid UTF-16");
        }
        arguments.push_back(utf8);
    }
    return arguments;
}

std::string NativePath(const std::string& utf8Path) {
    std::u16string utf16;
    if (!Utf8ToUtf16(utf8Path, utf16)) {
        throw ToolError(utf8Path, "the path is not valid UTF-8");
    }
    // With UTF-8 as the ANSI code page (possible since Windows 10) the path is right as it is.
    if (utf16.empty() || GetACP() == CP_UTF8) {
        return utf8Path;
    }
    const std::wstring wide(utf16.begin(), utf16.end());
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, &lossy);
    std::string native(static_cast<std::size_t>(size), '\0');
    if (size <= 0 ||
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), static_cast<int>(wide.size()), &native[0], size,
                            nullptr, &lossy) != size ||
        lossy) {
        throw ToolError(utf8Path, "the path has characters that the system code page cannot hold");
    }
    return native;
}

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

char PathSeparator() {
    return '\\';
}
