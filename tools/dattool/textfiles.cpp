#include "textfiles.h"

#include <fstream>
#include <iterator>

#include "safetextfile.h"
#include "toolerror.h"
#include "folderlisting.h"
#include "toolsystemtext.h"

std::string ReadWholeFile(const std::string& path) {
    const std::string native = NativePath(path);
    if (!PathExists(native)) {
        throw ToolError(path, "No such file");
    }
    std::ifstream file(native, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.is_open() || file.bad()) {
        throw ToolError(path, "Unable to read file");
    }
    return content;
}

void WriteWholeFile(const std::string& path, const std::string& content) {
    WriteFileSafely(NativePath(path), content, path);
}
