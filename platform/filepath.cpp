#include "filepath.h"

#include "rawfile.h"

std::string JoinPath(const std::string& folder, const std::string& name) {
    const char last = folder.empty() ? '\0' : folder.back();
    // On Windows "Z:" is the current folder of drive Z, and "Z:name" a file in it.
    if (last == '/' || RawFileIsPathSeparator(last)) {
        return folder + name;
    }
    return folder + PathSeparator() + name;
}

std::string FileNamePart(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }
