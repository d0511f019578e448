#include "textfiles.h"

#include <fstream>
#include <iterator>

#include "rawfile.h"
#include "toolerror.h"
#include "toolplatform.h"

namespace {

const int kTemporaryNameAttempts = 100;

// "<target>.tmp", "<target>.1.tmp", ...: a file left there earlier is never
// overwritten.
std::string CreateTemporaryBeside(const std::string& target, RawFile& file) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::string candidate = target + (attempt == 0 ? "" : "." + std::to_string(attempt)) + ".tmp";
        const RawCreateResult result = RawFileCreateNew(file, candidate.c_str());
        if (result == RawCreateResult::Created) {
            return candidate;
        }
        if (result == RawCreateResult::Failed) {
            break;
        }
    }
    return std::string();
}

} // namespace

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
    const std::string native = NativePath(path);
    RawFile file;
    const std::string temporary = CreateTemporaryBeside(native, file);
    if (temporary.empty()) {
        throw ToolError(path, "Unable to create file");
    }
    const bool written = RawFileWrite(file, content.data(), content.size()) && RawFileCommit(file);
    if (!RawFileClose(file) || !written) {
        RawFileDelete(temporary.c_str());
        throw ToolError(path, "Unable to write to file");
    }
    if (!RawFileReplace(temporary.c_str(), native.c_str())) {
        RawFileDelete(temporary.c_str());
        throw ToolError(path, "Unable to replace file");
    }
}
