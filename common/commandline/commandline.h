// The arguments of a Windows program's command line, split as the C runtime
// splits them for main's argv, so that both editors read a quoted path with
// spaces as one argument, as "Open with" and file associations pass it.
#pragma once

#include <string>
#include <vector>

// The arguments after the program name in `commandLine` (the whole line, as
// GetCommandLineA gives it). The program name ends at the first space or tab
// outside double quotes and is dropped. After it, arguments are separated by
// spaces and tabs outside double quotes; a double quote starts or ends a
// quoted part and is dropped, and inside a quoted part two double quotes give
// one literal double quote and end the part; 2n backslashes before a double
// quote give n backslashes, 2n + 1 give n and a literal double quote; other
// backslashes stay as they are. A quoted part may be empty: "" is an empty
// argument.
std::vector<std::string> CommandLineArguments(const char* commandLine);
