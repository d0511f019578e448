#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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
// The file keeps its own attributes: the one that comes back when a save is
// undone is the old file itself.
bool RawFileReplace(const char* source, const char* target);

// Puts `source` in the place of the existing file `target`, whose file
// becomes `oldFile` (a file of ours, which it replaces), so that it can be put
// back. On Windows the new file keeps the target's attributes, creation time,
// security and streams. A failure leaves either every name as it was or the
// target's file already under `oldFile`, `source` unmoved. Where the system
// makes two moves of it, `betweenMoves` is called between them (tests end
// the process there).
bool RawFileReplaceKeepingOld(const char* source, const char* target, const char* oldFile, void (*betweenMoves)());

// Whether an existing target is replaced through RawFileReplaceKeepingOld
// even when its old file is not wanted afterwards.
bool RawFileReplacingNeedsOldFile();

bool RawFileDelete(const char* path);

// What a new file would replace at `path`. A folder, a file marked read-only
// (on POSIX: one nobody may write) and a path that cannot be examined are not
// replaced, on any system.
enum class RawTargetState { Missing, Replaceable, NotReplaceable };
RawTargetState RawFileTargetState(const char* path);

// Whether `c` ends a folder's name in a path of this system.
bool RawFileIsPathSeparator(char c);

// The path the system resolves `path` to (GetFullPathNameA on Windows; on
// POSIX a relative path behind the current folder); empty when it cannot tell.
std::string RawFileFullPath(const char* path);

// A file held open so that no other process can hold it at the same time (on
// Windows nobody else may open it, on POSIX an advisory lock that our own
// programs take); the hold ends when the file is closed or the process ends,
// however it ends. Read and written through the RawFile functions.
RawCreateResult RawFileCreateHeld(RawFile& file, const char* path);
enum class RawHoldResult { Held, Missing, Busy, Failed };
RawHoldResult RawFileOpenHeld(RawFile& file, const char* path);
// Removes the held file's name, then lets go of it.
bool RawFileDeleteHeld(RawFile& file, const char* path);

// Ends the process at once, as a crash or a kill would: nothing is flushed,
// closed or cleaned up on the way (tests of the save journal use it). On
// POSIX it dies of SIGKILL; on Windows TerminateProcess leaves this exit code.
constexpr int kAbruptEndExitCode = 0xDEAD;
[[noreturn]] void RawEndProcessAbruptly();
