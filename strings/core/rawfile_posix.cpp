#include "rawfile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Large requests go in pieces that every system accepts in one call.
constexpr std::size_t kLargestCall = std::size_t{1} << 30;

std::size_t ChunkOf(std::size_t size) {
    return size < kLargestCall ? size : kLargestCall;
}

}  // namespace

RawFile::~RawFile() {
    RawFileClose(*this);
}

bool RawFileOpenForReading(RawFile& file, const char* path) {
    const int descriptor = ::open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        return false;
    }
    struct stat status;
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return false;
    }
    file.descriptor = descriptor;
    return true;
}

RawCreateResult RawFileCreateNew(RawFile& file, const char* path) {
    const int descriptor = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (descriptor < 0) {
        return errno == EEXIST ? RawCreateResult::AlreadyExists : RawCreateResult::Failed;
    }
    file.descriptor = descriptor;
    return RawCreateResult::Created;
}

bool RawFileSize(RawFile& file, std::uint64_t& size) {
    struct stat status;
    if (::fstat(file.descriptor, &status) != 0 || status.st_size < 0) {
        return false;
    }
    size = static_cast<std::uint64_t>(status.st_size);
    return true;
}

bool RawFileRead(RawFile& file, void* into, std::size_t size, std::size_t& bytesRead) {
    unsigned char* at = static_cast<unsigned char*>(into);
    bytesRead = 0;
    while (bytesRead < size) {
        const ssize_t got = ::read(file.descriptor, at + bytesRead, ChunkOf(size - bytesRead));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        bytesRead += static_cast<std::size_t>(got);
    }
    return true;
}

bool RawFileWrite(RawFile& file, const void* data, std::size_t size) {
    const unsigned char* at = static_cast<const unsigned char*>(data);
    std::size_t written = 0;
    while (written < size) {
        const ssize_t put = ::write(file.descriptor, at + written, ChunkOf(size - written));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(put);
    }
    return true;
}

bool RawFileCommit(RawFile& file) {
    return ::fsync(file.descriptor) == 0;
}

bool RawFileClose(RawFile& file) {
    if (file.descriptor < 0) {
        return true;
    }
    const int result = ::close(file.descriptor);
    file.descriptor = -1;
    return result == 0;
}

bool RawFileReplace(const char* source, const char* target) {
    return std::rename(source, target) == 0;
}

bool RawFileDelete(const char* path) {
    return ::unlink(path) == 0;
}
