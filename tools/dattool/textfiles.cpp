#include "textfiles.h"

#include <fstream>
#include <iterator>

#include "rawfile.h"
#include "safefile.h"
#include "toolerror.h"
#include "toolplatform.h"

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
    const auto write = [&content](RawFile& file) { return RawFileWrite(file, content.data(), content.size()); };
    switch (SaveFile(NativePath(path), write).failedStep) {
    case FileStep::None:
        return;
    case FileStep::Create:
        throw ToolError(path, "Unable to create file");
    case FileStep::Replace:
        throw ToolError(path, "Unable to replace file");
    default:
        throw ToolError(path, "Unable to write to file");
    }
}
