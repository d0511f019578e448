#include "safefilename.h"

namespace {

bool isForbiddenCharacter(unsigned char c) {
    if (c < 32) {
        return true;
    }
    switch (c) {
    case '\\':
    case '/':
    case ':':
    case '<':
    case '>':
    case '"':
    case '|':
    case '?':
    case '*': return true;
    default: return false;
    }
}

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows counts the superscript digits of code page 1252 as port numbers too.
bool isPortDigit(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || u == 0xB9 || u == 0xB2 || u == 0xB3;
}

// Windows matches a device name against the part before the first dot, with
// trailing spaces ignored: "nul.txt" and "Nul .tga" both open the device.
bool isDeviceName(const std::string& name) {
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') {
        stem.pop_back();
    }
    for (char& c : stem) {
        c = upperAscii(c);
    }
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CONIN$" || stem == "CONOUT$") {
        return true;
    }
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           isPortDigit(stem[3]);
}

}  // namespace

bool isSafeFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    for (char c : name) {
        if (isForbiddenCharacter(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    if (name.back() == '.' || name.back() == ' ') {
        return false;
    }
    return !isDeviceName(name);
}
