#include "safetextfile.h"

#include "rawfile.h"
#include "safefile.h"
#include "toolerror.h"

void WriteFileSafely(const std::string& path, const std::string& content, const std::string& shownPath) {
    const auto write = [&content](RawFile& file) { return RawFileWrite(file, content.data(), content.size()); };
    switch (SaveFile(path, write).failedStep) {
    case FileStep::None:
        return;
    case FileStep::Create:
        throw ToolError(shownPath, "Unable to create file");
    case FileStep::Replace:
        throw ToolError(shownPath, "Unable to replace file");
    default:
        throw ToolError(shownPath, "Unable to write to file");
    }
}
