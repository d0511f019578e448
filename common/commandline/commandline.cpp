#include "commandline.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The program name: no escapes, quotes only keep blanks inside it.
const char* SkipProgramName(const char* c) {
    bool quoted = false;
    for (; *c != '\0' && (quoted || !IsBlank(*c)); ++c) {
        if (*c == '"') {
            quoted = !quoted;
        }
    }
    return c;
}

// Reads the backslashes at `c` and what they mean before the character
// that follows them; returns the position after them.
const char* ReadBackslashes(const char* c, std::string& argument, bool& literalQuote) {
    std::size_t count = 0;
    for (; *c == '\\'; ++c) {
        ++count;
    }
    if (*c != '"') {
        argument.append(count, '\\');
        literalQuote = false;
        return c;
    }
    argument.append(count / 2, '\\');
    literalQuote = count % 2 == 1;
    return c;
}

}  // namespace

std::vector<std::string> CommandLineArguments(const char* commandLine) {
    std::vector<std::string> arguments;
    const char* c = SkipProgramName(commandLine);
    for (;;) {
        while (IsBlank(*c)) {
            ++c;
        }
        if (*c == '\0') {
            return arguments;
        }
        std::string argument;
        bool quoted = false;
        while (*c != '\0' && (quoted || !IsBlank(*c))) {
            bool literalQuote = false;
            if (*c == '\\') {
                c = ReadBackslashes(c, argument, literalQuote);
                if (*c != '"') {
                    continue;
                }
            }
            if (*c != '"' || literalQuote) {
                argument.push_back(*c++);
            } else if (quoted && c[1] == '"') {
                argument.push_back('"');
                quoted = false;
                c += 2;
            } else {
                quoted = !quoted;
                ++c;
            }
        }
        arguments.push_back(argument);
    }
}
