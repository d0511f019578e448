#include "filepath.h"

std::string JoinPath(const std::string& folder, const std::string& name) {
    const char last = folder.empty() ? '\0' : folder.back();
    if (last == '/' || last == PathSeparator()) {
        return folder + name;
    }
    return folder + PathSeparator() + name;
}

std::string FileNamePart(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }
