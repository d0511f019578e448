#include "toolplatform.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "encoding.h"
#include "toolerror.h"

std::vector<std::string> ProgramArguments(int argc, char** argv, bool) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string NativePath(const std::string& utf8Path) { return utf8Path; }

void UseBinaryStandardStreams() {}

bool IsFolder(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

std::string SystemTextToUtf8(const std::string& text) {
    std::u16string unused;
    return Utf8ToUtf16(text, unused) ? text : Windows1252ToUtf8(text);
}

bool SystemTextToWindows1252(const std::string& text, std::string& bytes, std::string& problem) {
    if (Utf8ToWindows1252(text, bytes)) {
        return true;
    }
    std::u16string unused;
    problem =
        Utf8ToUtf16(text, unused) ? "the name has characters that Windows-1252 lacks" : "the name is not valid UTF-8";
    return false;
}

bool Windows1252ToSystemText(const std::string& bytes, std::string& text) {
    text = Windows1252ToUtf8(bytes);
    return true;
}

std::vector<FolderItem> ListFolder(const std::string& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(folder.c_str()), closedir);
    if (!directory) {
        throw ToolError(folder, "Unable to read the folder");
    }
    std::vector<FolderItem> items;
    while (const dirent* found = readdir(directory.get())) {
        const std::string name = found->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string path = folder + "/" + name;
        struct stat status;
        struct stat linkStatus;
        FolderItem item;
        item.name = name;
        const bool known = stat(path.c_str(), &status) == 0;
        item.isFolder = known && S_ISDIR(status.st_mode);
        item.isRegularFile = known && S_ISREG(status.st_mode);
        item.isLink = lstat(path.c_str(), &linkStatus) == 0 && S_ISLNK(linkStatus.st_mode);
        items.push_back(item);
    }
    return items;
}
