#include "toolsystemtext.h"

#include "systemtext.h"
#include "toolerror.h"

std::string NativePath(const std::string& utf8Path) {
    std::string native;
    switch (Utf8ToSystemText(utf8Path, native)) {
    case SystemTextResult::Converted: return native;
    case SystemTextResult::NotUtf8: throw ToolError(utf8Path, "the path is not valid UTF-8");
    default: throw ToolError(utf8Path, "the path has characters that the system code page cannot hold");
    }
}

bool SystemTextToWindows1252(const std::string& text, std::string& bytes, std::string& problem) {
    switch (SystemTextToWindows1252(text, bytes)) {
    case SystemTextResult::Converted: return true;
    case SystemTextResult::NotUtf8: problem = "the name is not valid UTF-8"; break;
    case SystemTextResult::CodePageLacks: problem = "the name has characters that the system code page lacks"; break;
    case SystemTextResult::Windows1252Lacks: problem = "the name has characters that Windows-1252 lacks"; break;
    }
    return false;
}
