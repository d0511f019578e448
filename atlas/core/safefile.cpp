#include "safefile.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// A stale temporary file of an earlier crash, or a user's file of that name,
// is never overwritten: names are tried until one is new.
const int maximumNameAttempts = 100;

enum class CreateResult { Created, Exists, Failed };

#ifdef _WIN32

CreateResult createNewFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) ? CreateResult::Exists
                                                                              : CreateResult::Failed;
    }
    CloseHandle(file);
    return CreateResult::Created;
}

bool flushToDisk(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool flushed = FlushFileBuffers(file) != FALSE;
    return CloseHandle(file) != FALSE && flushed;
}

bool moveOver(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

#else

CreateResult createNewFile(const std::string& path) {
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (file < 0) {
        return errno == EEXIST ? CreateResult::Exists : CreateResult::Failed;
    }
    close(file);
    return CreateResult::Created;
}

bool flushToDisk(const std::string& path) {
    const int file = open(path.c_str(), O_WRONLY);
    if (file < 0) {
        return false;
    }
    const bool flushed = fsync(file) == 0;
    return close(file) == 0 && flushed;
}

bool moveOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

#endif

} // namespace

TemporaryFile::TemporaryFile(const std::string& target) : target_(target) {
    if (target.empty()) {
        return;
    }
    for (int attempt = 0; attempt < maximumNameAttempts; ++attempt) {
        const std::string candidate = target + "~" + std::to_string(attempt) + ".tmp";
        const CreateResult result = createNewFile(candidate);
        if (result == CreateResult::Created) {
            path_ = candidate;
            return;
        }
        if (result == CreateResult::Failed) {
            return;
        }
    }
}

TemporaryFile::~TemporaryFile() {
    if (isCreated() && !replaced_) {
        std::remove(path_.c_str());
    }
}

bool TemporaryFile::replaceTarget() {
    if (!isCreated() || replaced_) {
        return false;
    }
    replaced_ = flushToDisk(path_) && moveOver(path_, target_);
    return replaced_;
}
