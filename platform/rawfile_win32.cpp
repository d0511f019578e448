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

RawCreateResult RawFileCreateNew(RawFile& file, const char* path) {
    const DWORD noSharing = 0;
    UniqueHandle handle(
        CreateFileA(path, GENERIC_WRITE, noSharing, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle) {
        file.handle = std::move(handle);
        return RawCreateResult::Created;
    }
    const DWORD error = GetLastError();
    return (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) ? RawCreateResult::AlreadyExists
                                                                         : RawCreateResult::Failed;
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

bool RawFileReplace(const char* source, const char* target) {
    return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

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
