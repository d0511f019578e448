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

// FindFirstFileA returns INVALID_HANDLE_VALUE, not null, when it fails.
struct FindCloser {
    void operator()(HANDLE search) const {
        if (search != INVALID_HANDLE_VALUE) {
            FindClose(search);
        }
    }
};

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

}  // namespace

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

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string SystemTextToUtf8(const std::string& text) {
    if (text.empty()) {
        return text;
    }
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size <= 0 || MultiByteToWideChar(CP_ACP, 0, text.data(), length, &wide[0], size) != size) {
        return Windows1252ToUtf8(text);
    }
    return Utf16ToUtf8Lossy(std::u16string(wide.begin(), wide.end()));
}

namespace {

const UINT windows1252 = 1252;

// `text` from one code page to another through UTF-16; false when a
// character is not valid in the first or has no place in the second.
bool Recode(const std::string& text, UINT from, UINT to, std::string& result) {
    result.clear();
    if (text.empty()) {
        return true;
    }
    const int length = static_cast<int>(text.size());
    const int wideSize = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideSize > 0 ? wideSize : 0), L'\0');
    if (wideSize <= 0 ||
        MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), length, &wide[0], wideSize) != wideSize) {
        return false;
    }
    BOOL lossy = FALSE;
    BOOL* const lossyArgument = to == CP_UTF8 ? nullptr : &lossy;
    const DWORD flags = to == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int size = WideCharToMultiByte(to, flags, wide.data(), wideSize, nullptr, 0, nullptr, lossyArgument);
    result.assign(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    return size > 0 &&
           WideCharToMultiByte(to, flags, wide.data(), wideSize, &result[0], size, nullptr, lossyArgument) == size &&
           !lossy;
}

}  // namespace

bool SystemTextToWindows1252(const std::string& text, std::string& bytes, std::string& problem) {
    if (text.find('?') != std::string::npos) {
        problem = "the name has characters that the system code page lacks";
        return false;
    }
    if (GetACP() == windows1252) {
        bytes = text;
        return true;
    }
    if (!Recode(text, GetACP(), windows1252, bytes)) {
        problem = "the name has characters that Windows-1252 lacks";
        return false;
    }
    return true;
}

bool Windows1252ToSystemText(const std::string& bytes, std::string& text) {
    if (GetACP() == windows1252) {
        text = bytes;
        return true;
    }
    return Recode(bytes, windows1252, GetACP(), text);
}

std::vector<FolderItem> ListFolder(const std::string& folder) {
    const char last = folder.empty() ? '\0' : folder.back();
    const std::string pattern = folder + (last == '\\' || last == '/' || last == ':' ? "*" : "\\*");
    WIN32_FIND_DATAA found;
    const std::unique_ptr<void, FindCloser> search(FindFirstFileA(pattern.c_str(), &found));
    std::vector<FolderItem> items;
    if (search.get() == INVALID_HANDLE_VALUE) {
        // The root of an empty drive has not even "." and "..".
        if (GetLastError() == ERROR_FILE_NOT_FOUND) {
            return items;
        }
        throw ToolError(folder, "Unable to read the folder");
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            FolderItem item;
            item.name = name;
            item.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            item.isRegularFile = (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
            item.isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            items.push_back(item);
        }
    } while (FindNextFileA(search.get(), &found));
    if (GetLastError() != ERROR_NO_MORE_FILES) {
        throw ToolError(folder, "Unable to read the folder");
    }
    return items;
}
