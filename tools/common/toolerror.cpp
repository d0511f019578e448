#include "toolerror.h"

#include <cstdio>

#include "encoding.h"

namespace {

void AppendShown(std::string& line, const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t bad = FirstInvalidUtf8(text.substr(at, 4));  // 0 when the character at `at` is not UTF-8
        const unsigned char byte = static_cast<unsigned char>(text[at]);
        if (bad == 0 || (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(byte));
            line += escaped;
            ++at;
        } else if (byte == '\n' || byte == '\r') {
            line += ' ';
            ++at;
        } else {
            // One whole character, as long as its lead byte says.
            const std::size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
            line.append(text, at, length);
            at += length;
        }
    }
}

}  // namespace

std::string ErrorLine(const std::string& toolName, const std::string& file, const std::string& reason) {
    std::string line = toolName + ": ";
    if (!file.empty()) {
        AppendShown(line, file);
        line += ": ";
    }
    AppendShown(line, reason);
    return line;
}
