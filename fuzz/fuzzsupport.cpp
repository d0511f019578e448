#include "fuzzsupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include <unistd.h>

namespace {

bool IsWritableFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error) && ::access(path.c_str(), W_OK) == 0;
}

// TMPDIR first: the runner points it at a folder it removes afterwards, so
// that nothing stays behind when a crash ends the process early.
std::string MakeScratchFolder() {
    const char* tmpdir = std::getenv("TMPDIR");
    std::filesystem::path base = tmpdir != nullptr && tmpdir[0] != '\0' ? tmpdir : "/dev/shm";
    if (!IsWritableFolder(base)) {
        base = "/tmp";
    }
    std::string pattern = (base / "pxa-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        FuzzFailure("a scratch folder can be made", __FILE__, __LINE__);
    }
    return pattern;
}

void RemoveScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(ScratchFolder(), error);
}

}  // namespace

const std::string& ScratchFolder() {
    static const std::string folder = MakeScratchFolder();
    static const bool cleanupRegistered = std::atexit(RemoveScratchFolder) == 0;
    (void)cleanupRegistered;
    return folder;
}

std::string ScratchPath(const std::string& name) { return ScratchFolder() + "/" + name; }

void WriteFileBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    file.close();
    if (!file) {
        FuzzFailure("the input file can be written", __FILE__, __LINE__);
    }
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    WriteFileBytes(path, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        FuzzFailure("a written file can be read back", __FILE__, __LINE__);
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void FuzzFailure(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: expectation failed: %s\n", file, line, what);
    std::abort();
}
