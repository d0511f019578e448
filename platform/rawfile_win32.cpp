#include "rawfile.h"

#include "filepath.h"

#include <windows.h>

#include <utility>

namespace {

// ReadFile and WriteFile take a DWORD count; stay well below it.
constexpr std::size_t kLargestCall = std::size_t{1} << 30;

DWORD ChunkOf(std::size_t size) { return static_cast<DWORD>(size < kLargestCall ? size : kLargestCall); }

HANDLE HandleOf(const RawFile& file) { return static_cast<HANDLE>(file.handle.get()); }

// Device names such as CON or a pipe open as well; only disk files hold our data.
bool OpenDiskFile(RawFile& file, const char* path, DWORD access, DWORD flags) {
    const DWORD noSharing = 0;
    UniqueHandle handle(
        CreateFileA(path, access, noSharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | flags, nullptr));
    if (!handle || GetFileType(handle.get()) != FILE_TYPE_DISK) {
        return false;
    }
    file.handle = std::move(handle);
    return true;
}

}  // namespace

bool FileHandleTraits::close(void* handle) { return CloseHandle(handle) != 0; }

bool RawFileOpenForReading(RawFile& file, const char* path) {
    return OpenDiskFile(file, path, GENERIC_READ, FILE_FLAG_SEQUENTIAL_SCAN);
}

bool RawFileOpenForWriting(RawFile& file, const char* path) { return OpenDiskFile(file, path, GENERIC_WRITE, 0); }

namespace {

// A file that did not exist, opened with `access` and shared as `sharing` says.
RawCreateResult CreateNewFile(RawFile& file, const char* path, DWORD access, DWORD sharing) {
    UniqueHandle handle(CreateFileA(path, access, sharing, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle) {
        file.handle = std::move(handle);
        return RawCreateResult::Created;
    }
    const DWORD error = GetLastError();
    return (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) ? RawCreateResult::AlreadyExists
                                                                         : RawCreateResult::Failed;
}

}  // namespace

RawCreateResult RawFileCreateNew(RawFile& file, const char* path) {
    const DWORD noSharing = 0;
    return CreateNewFile(file, path, GENERIC_WRITE, noSharing);
}

bool RawFileSize(RawFile& file, std::uint64_t& size) {
    LARGE_INTEGER value;
    if (!GetFileSizeEx(HandleOf(file), &value) || value.QuadPart < 0) {
        return false;
    }
    size = static_cast<std::uint64_t>(value.QuadPart);
    return true;
}

bool RawFileRead(RawFile& file, void* into, std::size_t size, std::size_t& bytesRead) {
    unsigned char* at = static_cast<unsigned char*>(into);
    bytesRead = 0;
    while (bytesRead < size) {
        DWORD got = 0;
        if (!ReadFile(HandleOf(file), at + bytesRead, ChunkOf(size - bytesRead), &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            break;
        }
        bytesRead += got;
    }
    return true;
}

bool RawFileWrite(RawFile& file, const void* data, std::size_t size) {
    const unsigned char* at = static_cast<const unsigned char*>(data);
    std::size_t written = 0;
    while (written < size) {
        DWORD put = 0;
        if (!WriteFile(HandleOf(file), at + written, ChunkOf(size - written), &put, nullptr) || put == 0) {
            return false;
        }
        written += put;
    }
    return true;
}

bool RawFileCommit(RawFile& file) { return FlushFileBuffers(HandleOf(file)) != 0; }

bool RawFileClose(RawFile& file) { return file.handle.close(); }

// Used where there is no file to take over: a target that does not exist,
// and an old file put back in its place, which is itself the file with its
// attributes.
bool RawFileReplace(const char* source, const char* target) {
    return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RawFileReplaceKeepingOld(const char* source, const char* target, const char* oldFile, void (*betweenMoves)()) {
    // ReplaceFile merges these into the new file itself; Wine's moves the
    // files alone. Set beforehand, they are there however the call ends.
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD settable = kept | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY;
    const DWORD targetAttributes = GetFileAttributesA(target);
    const DWORD sourceAttributes = GetFileAttributesA(source);
    if (targetAttributes != INVALID_FILE_ATTRIBUTES && sourceAttributes != INVALID_FILE_ATTRIBUTES &&
        (targetAttributes & kept & ~sourceAttributes) != 0) {
        SetFileAttributesA(source, (sourceAttributes & settable) | (targetAttributes & kept));
    }
    // The documentation leaves open whether an existing backup file is
    // replaced; ours is an empty file that only reserved the name.
    DeleteFileA(oldFile);
    if (ReplaceFileA(target, source, oldFile, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        return true;
    }
    // A file system that cannot do what ReplaceFile needs says so before it
    // moves anything; there two moves do the same, without the target's
    // creation time, security or streams. Every other failure is the caller's
    // to undo.
    const DWORD error = GetLastError();
    if ((error != ERROR_NOT_SUPPORTED && error != ERROR_INVALID_FUNCTION && error != ERROR_INVALID_PARAMETER) ||
        GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    if (!RawFileReplace(target, oldFile)) {
        return false;
    }
    betweenMoves();
    return RawFileReplace(source, target);
}

// ReplaceFile without a backup name loses the target when it fails halfway
// (ERROR_UNABLE_TO_MOVE_REPLACEMENT), and MoveFileEx would take nothing of
// the target over: every existing target goes through a file of our own.
bool RawFileReplacingNeedsOldFile() { return true; }

bool RawFileDelete(const char* path) { return DeleteFileA(path) != 0; }

// MoveFileEx would move a read-only file aside without a word; it is kept.
RawTargetState RawFileTargetState(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? RawTargetState::Missing
                                                                                : RawTargetState::NotReplaceable;
    }
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0 ? RawTargetState::NotReplaceable
                                                                                    : RawTargetState::Replaceable;
}

// "C:name" names a file in the current folder of drive C.
bool RawFileIsPathSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

char PathSeparator() { return '\\'; }

std::string RawFileFullPath(const char* path) {
    const DWORD size = GetFullPathNameA(path, 0, nullptr, nullptr);
    if (size == 0) {
        return std::string();
    }
    std::string full(size, '\0');
    const DWORD length = GetFullPathNameA(path, size, &full[0], nullptr);
    if (length == 0 || length >= size) {
        return std::string();
    }
    full.resize(length);
    return full;
}

// Shared for deleting only, so that the holder can remove the name while it
// holds the file; any other open fails with a sharing violation.
RawCreateResult RawFileCreateHeld(RawFile& file, const char* path) {
    return CreateNewFile(file, path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE);
}

RawHoldResult RawFileOpenHeld(RawFile& file, const char* path) {
    UniqueHandle handle(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return RawHoldResult::Missing;
        case ERROR_SHARING_VIOLATION: return RawHoldResult::Busy;
        default: return RawHoldResult::Failed;
        }
    }
    if (GetFileType(handle.get()) != FILE_TYPE_DISK) {
        return RawHoldResult::Failed;
    }
    file.handle = std::move(handle);
    return RawHoldResult::Held;
}

bool RawFileDeleteHeld(RawFile& file, const char* path) {
    const bool deleted = DeleteFileA(path) != 0;
    return RawFileClose(file) && deleted;
}

void RawEndProcessAbruptly() {
    TerminateProcess(GetCurrentProcess(), kAbruptEndExitCode);
    ExitProcess(kAbruptEndExitCode);
}
