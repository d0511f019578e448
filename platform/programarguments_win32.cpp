#include "programarguments.h"

#include <fcntl.h>
#include <io.h>
#include <cstdio>

#include <windows.h>
#include <shellapi.h>

#include "encoding.h"
#include "uniquehandle.h"

namespace {

// The block CommandLineToArgvW returns, freed with LocalFree.
struct LocalMemoryTraits {
    using Value = LPWSTR*;
    static Value invalid() { return nullptr; }
    static bool close(Value block) { return LocalFree(block) == nullptr; }
};

std::u16string ToU16(const wchar_t* text) {
    std::u16string result;
    for (; *text != L'\0'; ++text) {
        result += static_cast<char16_t>(*text);
    }
    return result;
}

}  // namespace

ProgramArgumentsResult ProgramArguments(int argc, char** argv, bool asUtf8, std::vector<std::string>& arguments) {
    arguments.clear();
    if (!asUtf8) {
        arguments.assign(argv + (argc > 0 ? 1 : 0), argv + argc);
        return ProgramArgumentsResult::Read;
    }
    int count = 0;
    const UniqueResource<LocalMemoryTraits> wide(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!wide) {
        return ProgramArgumentsResult::CommandLineUnreadable;
    }
    for (int i = 1; i < count; ++i) {
        std::string utf8;
        if (!Utf16ToUtf8(ToU16(wide.get()[i]), utf8)) {
            arguments.clear();
            return ProgramArgumentsResult::CommandLineNotUtf16;
        }
        arguments.push_back(utf8);
    }
    return ProgramArgumentsResult::Read;
}

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
