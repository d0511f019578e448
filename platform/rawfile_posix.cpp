#include "rawfile.h"

#include "filepath.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
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

// Whether `path` still names the file open as `descriptor`: a held file
// whose name was removed or replaced meanwhile is not the one asked for.
bool StillNamed(int descriptor, const char* path) {
    struct stat open;
    struct stat named;
    return ::fstat(descriptor, &open) == 0 && ::stat(path, &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
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

bool RawFileReplaceKeepingOld(const char* source, const char* target, const char* oldFile, void (*betweenMoves)()) {
    if (std::rename(target, oldFile) != 0) {
        return false;
    }
    betweenMoves();
    return std::rename(source, target) == 0;
}

// rename() replaces a file in one step, and a POSIX file has nothing that a
// new one should take over.
bool RawFileReplacingNeedsOldFile() { return false; }

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

std::string RawFileFullPath(const char* path) {
    if (path[0] == '/') {
        return path;
    }
    const std::unique_ptr<char, void (*)(void*)> folder(::getcwd(nullptr, 0), std::free);
    return folder ? std::string(folder.get()) + '/' + path : std::string();
}

RawCreateResult RawFileCreateHeld(RawFile& file, const char* path) {
    UniqueFd descriptor(::open(path, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
    if (!descriptor) {
        return errno == EEXIST ? RawCreateResult::AlreadyExists : RawCreateResult::Failed;
    }
    // Between open() and flock() a recovery may have taken the new, empty
    // file for the leftover of a crash and removed it.
    if (::flock(descriptor.get(), LOCK_EX | LOCK_NB) != 0 || !StillNamed(descriptor.get(), path)) {
        return RawCreateResult::Failed;
    }
    file.handle = std::move(descriptor);
    return RawCreateResult::Created;
}

RawHoldResult RawFileOpenHeld(RawFile& file, const char* path) {
    // Not blocking: a FIFO of that name must not stop us.
    UniqueFd descriptor(::open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!descriptor) {
        return errno == ENOENT ? RawHoldResult::Missing : RawHoldResult::Failed;
    }
    struct stat status;
    if (::fstat(descriptor.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return RawHoldResult::Failed;
    }
    if (::flock(descriptor.get(), LOCK_EX | LOCK_NB) != 0) {
        return errno == EWOULDBLOCK ? RawHoldResult::Busy : RawHoldResult::Failed;
    }
    if (!StillNamed(descriptor.get(), path)) {
        return RawHoldResult::Missing;  // removed by its owner while we waited for it
    }
    file.handle = std::move(descriptor);
    return RawHoldResult::Held;
}

bool RawFileDeleteHeld(RawFile& file, const char* path) {
    const bool deleted = ::unlink(path) == 0;
    return RawFileClose(file) && deleted;
}

void RawEndProcessAbruptly() {
    ::kill(::getpid(), SIGKILL);
    std::_Exit(137);
}
