#pragma once

#include <cstddef>
#include <cstdint>

// Whole-file access for DAT files, without sharing: on Windows no other handle
// may open the file while we hold it. The system calls stay behind this header
// (rawfile_win32.cpp, rawfile_posix.cpp); every function reports by its result.

struct RawFile {
    RawFile() = default;
    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;
    ~RawFile();  // closes a file still open; paths that close here have already failed

#ifdef _WIN32
    void* handle = nullptr;  // a HANDLE; null while closed
#else
    int descriptor = -1;
#endif
};

enum class RawCreateResult { Created, AlreadyExists, Failed };

// Opens an existing regular file for reading.
bool RawFileOpenForReading(RawFile& file, const char* path);

// Creates a file that must not exist yet, for writing.
RawCreateResult RawFileCreateNew(RawFile& file, const char* path);

bool RawFileSize(RawFile& file, std::uint64_t& size);

// Reads until `size` bytes are in or the file ends; `bytesRead` tells how many.
// False only on a read error.
bool RawFileRead(RawFile& file, void* into, std::size_t size, std::size_t& bytesRead);

// Writes all `size` bytes or fails.
bool RawFileWrite(RawFile& file, const void* data, std::size_t size);

// Pushes written data through to the disk.
bool RawFileCommit(RawFile& file);

// Closes the file; false when the system reports an error while closing.
bool RawFileClose(RawFile& file);

// Puts `source` in the place of `target` in one step, replacing a file there.
bool RawFileReplace(const char* source, const char* target);

bool RawFileDelete(const char* path);
