#pragma once

#include <cstddef>
#include <cstdint>

#include "uniquehandle.h"

// Whole-file access without sharing: on Windows no other handle may open the
// file while we hold it. The system calls stay behind this header
// (rawfile_win32.cpp, rawfile_posix.cpp); every function reports by its result.

struct RawFile {
    UniqueFile handle;  // closed with the RawFile; paths that close it there have already failed
};

enum class RawCreateResult { Created, AlreadyExists, Failed };

// Opens an existing regular file for reading.
bool RawFileOpenForReading(RawFile& file, const char* path);

// Opens an existing regular file for writing from its start; nothing of its
// content is dropped.
bool RawFileOpenForWriting(RawFile& file, const char* path);

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

// What a new file would replace at `path`. A folder, a file marked read-only
// (on POSIX: one nobody may write) and a path that cannot be examined are not
// replaced, on any system.
enum class RawTargetState { Missing, Replaceable, NotReplaceable };
RawTargetState RawFileTargetState(const char* path);

// Whether `c` ends a folder's name in a path of this system.
bool RawFileIsPathSeparator(char c);
