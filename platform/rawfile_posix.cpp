#include "rawfile.h"

#include "filepath.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace {

// Large requests go in pieces that every system accepts in one call.
constexpr std::size_t kLargestCall = std::size_t{1} << 30;

std::size_t ChunkOf(std::size_t size) { return size < kLargestCall ? size : kLargestCall; }

// Only regular files: a device or a pipe opens as well but holds no data of ours.
bool OpenRegularFile(RawFile& file, const char* path, int access) {
    UniqueFd descriptor(::open(path, access | O_CLOEXEC | O_NOCTTY));
    struct stat status;
    if (!descriptor || ::fstat(descriptor.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    file.handle = std::move(descriptor);
    return true;
}

}  // namespace

bool FileDescriptorTraits::close(int descriptor) { return ::close(descriptor) == 0; }

bool RawFileOpenForReading(RawFile& file, const char* path) { return OpenRegularFile(file, path, O_RDONLY); }

bool RawFileOpenForWriting(RawFile& file, const char* path) { return OpenRegularFile(file, path, O_WRONLY); }

RawCreateResult RawFileCreateNew(RawFile& file, const char* path) {
    UniqueFd descriptor(::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
    if (!descriptor) {
        return errno == EEXIST ? RawCreateResult::AlreadyExists : RawCreateResult::Failed;
    }
    file.handle = std::move(descriptor);
    return RawCreateResult::Created;
}

bool RawFileSize(RawFile& file, std::uint64_t& size) {
    struct stat status;
    if (::fstat(file.handle.get(), &status) != 0 || status.st_size < 0) {
        return false;
    }
    size = static_cast<std::uint64_t>(status.st_size);
    return true;
}

bool RawFileRead(RawFile& file, void* into, std::size_t size, std::size_t& bytesRead) {
    unsigned char* at = static_cast<unsigned char*>(into);
    bytesRead = 0;
    while (bytesRead < size) {
        const ssize_t got = ::read(file.handle.get(), at + bytesRead, ChunkOf(size - bytesRead));
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
        const ssize_t put = ::write(file.handle.get(), at + written, ChunkOf(size - written));
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

bool RawFileCommit(RawFile& file) { return ::fsync(file.handle.get()) == 0; }

bool RawFileClose(RawFile& file) { return file.handle.close(); }

bool RawFileReplace(const char* source, const char* target) { return std::rename(source, target) == 0; }

bool RawFileDelete(const char* path) { return ::unlink(path) == 0; }

// rename() heeds only the folder's permissions; a file that nobody may write
// is kept as Windows keeps a read-only file.
RawTargetState RawFileTargetState(const char* path) {
    struct stat status;
    if (::lstat(path, &status) != 0) {
        return errno == ENOENT ? RawTargetState::Missing : RawTargetState::NotReplaceable;
    }
    if (S_ISDIR(status.st_mode) || (S_ISREG(status.st_mode) && (status.st_mode & 0222) == 0)) {
        return RawTargetState::NotReplaceable;
    }
    return RawTargetState::Replaceable;
}

bool RawFileIsPathSeparator(char c) { return c == '/'; }

char PathSeparator() { return '/'; }
