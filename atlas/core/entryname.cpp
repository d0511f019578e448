#include "entryname.h"

std::string upperCaseAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

std::string entryNameFromPath(const std::string& path) {
    const std::string::size_type separator = path.find_last_of("\\/");
    return upperCaseAscii(separator == std::string::npos ? path : path.substr(separator + 1));
}
