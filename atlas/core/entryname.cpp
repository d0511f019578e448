#include "entryname.h"

#include "atlasentry.h"
#include "filepath.h"

std::string upperCaseAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

std::string entryNameFromPath(const std::string& path) { return upperCaseAscii(FileNamePart(path)); }

bool fitsIndexRecord(const std::string& name) { return name.size() <= maxEntryNameBytes; }
