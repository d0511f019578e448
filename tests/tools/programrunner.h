// Runs a tool as a child process and collects what it did.
#pragma once

#include <string>
#include <vector>

struct ProgramRun {
    int exitCode = -1;  // -1 when the program could not start or did not end in time
    std::string out;
    std::string err;
    bool killed = false;  // ended by SIGKILL (POSIX) or by TerminateProcess from here (Windows)
};

// Starts `program` with `arguments` (UTF-8; on Windows passed as a UTF-16
// command line), waits at most a minute for it and returns its exit status
// and the bytes it wrote to standard output and standard error. With
// `killAfterMilliseconds` not negative, a program still running then is
// killed (SIGKILL; TerminateProcess on Windows).
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      int killAfterMilliseconds = -1);

// The two tools built with these tests.
ProgramRun RunPxatool(const std::vector<std::string>& arguments);
ProgramRun RunDattool(const std::vector<std::string>& arguments);
