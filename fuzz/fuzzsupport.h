// What every harness needs around the reader it drives: a private scratch
// folder for the files it hands to the reader, and a way to stop loudly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A folder of this process's own inside $TMPDIR, or else /dev/shm (memory
// backed: the writers flush every file they write), made on first use and
// removed when the process exits normally.
const std::string& ScratchFolder();
std::string ScratchPath(const std::string& name);

void WriteFileBytes(const std::string& path, const std::uint8_t* data, std::size_t size);
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);

// Reports a broken expectation and aborts, which libFuzzer records as a
// crash with the input that caused it.
[[noreturn]] void FuzzFailure(const char* what, const char* file, int line);

#define FUZZ_EXPECT(condition)                                                                                         \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            FuzzFailure(#condition, __FILE__, __LINE__);                                                               \
    } while (false)
