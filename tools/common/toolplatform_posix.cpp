#include "toolplatform.h"

#include <sys/stat.h>

std::vector<std::string> ProgramArguments(int argc, char** argv, bool) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string NativePath(const std::string& utf8Path) {
    return utf8Path;
}

void UseBinaryStandardStreams() {}

bool IsFolder(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

char PathSeparator() {
    return '/';
}
