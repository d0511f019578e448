#include "rawfile.h"

#include <windows.h>

namespace {

// ReadFile and WriteFile take a DWORD count; stay well below it.
constexpr std::size_t kLargestCall = std::size_t{1} << 30;

DWORD ChunkOf(std::size_t size) {
    return static_cast<DWORD>(size < kLargestCall ? size : kLargestCall);
}

HANDLE HandleOf(const RawFile& file) {
    return static_cast<HANDLE>(file.handle);
}

// CreateFileA fails with INVALID_HANDLE_VALUE; a closed RawFile holds null.
bool Adopt(RawFile& file, HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    file.handle = handle;
    return true;
}

}  // namespace

RawFile::~RawFile() {
    RawFileClose(*this);
}

bool RawFileOpenForReading(RawFile& file, const char* path) {
    const DWORD noSharing = 0;
    if (!Adopt(file, CreateFileA(path, GENERIC_READ, noSharing, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr))) {
        return false;
    }
    // Device names such as CON or a pipe open as well; only disk files hold tables.
    if (GetFileType(HandleOf(file)) != FILE_TYPE_DISK) {
        RawFileClose(file);
        return false;
    }
    return true;
}

RawCreateResult RawFileCreateNew(RawFile& file, const char* path) {
    const DWORD noSharing = 0;
    if (Adopt(file, CreateFileA(path, GENERIC_WRITE, noSharing, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                nullptr))) {
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

bool RawFileCommit(RawFile& file) {
    return FlushFileBuffers(HandleOf(file)) != 0;
}

bool RawFileClose(RawFile& file) {
    if (file.handle == nullptr) {
        return true;
    }
    const BOOL closed = CloseHandle(HandleOf(file));
    file.handle = nullptr;
    return closed != 0;
}

bool RawFileReplace(const char* source, const char* target) {
    return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RawFileDelete(const char* path) {
    return DeleteFileA(path) != 0;
}
