#include "textinput.h"

#include <cstdio>

#include "encoding.h"

std::size_t LineAt(const std::string& content, std::size_t offset) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < offset && i < content.size(); ++i) {
        if (content[i] == '\n' || (content[i] == '\r' && (i + 1 >= content.size() || content[i + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

std::string ByteForMessage(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", static_cast<unsigned>(byte));
    return text;
}

bool CheckUtf8(const std::string& content, std::size_t start, std::string& error) {
    const std::size_t offset = FirstInvalidUtf8(content, start);
    if (offset == std::string::npos) {
        return true;
    }
    error = "line " + std::to_string(LineAt(content, offset)) + ": not valid UTF-8 (the byte " +
            ByteForMessage(static_cast<unsigned char>(content[offset])) + " at byte offset " + std::to_string(offset) +
            ")";
    return false;
}

std::size_t SkipUtf8ByteOrderMark(const std::string& content) {
    return content.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
}
