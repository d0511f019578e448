#include "toolerror.h"

std::string ErrorLine(const std::string& toolName, const std::string& file, const std::string& reason) {
    std::string line = toolName + ": ";
    if (!file.empty()) {
        line += file + ": ";
    }
    for (char c : reason) {
        line += (c == '\n' || c == '\r') ? ' ' : c;
    }
    return line;
}
