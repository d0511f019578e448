// What a console program takes from the system as it starts: its arguments
// and its standard streams. Reports by its results.
#pragma once

#include <string>
#include <vector>

enum class ProgramArgumentsResult {
    Read,
    CommandLineUnreadable,  // the system did not split its command line
    CommandLineNotUtf16     // the command line holds a surrogate without its partner
};

// The program's arguments without its name. With `asUtf8` they are read as
// UTF-8 on every system (on Windows from the UTF-16 command line); otherwise
// they are the bytes of the system's 8-bit code page, as the editors see them.
ProgramArgumentsResult ProgramArguments(int argc, char** argv, bool asUtf8, std::vector<std::string>& arguments);

// Lines end in "\n" alone on every system, so output compares and pipes alike.
void UseBinaryStandardStreams();
