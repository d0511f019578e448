#include "folderlisting.h"

#include <windows.h>

#include "filepath.h"
#include "uniquehandle.h"

namespace {

// FindFirstFileA returns INVALID_HANDLE_VALUE, not null, when it fails.
struct FindTraits {
    using Value = HANDLE;
    static Value invalid() { return INVALID_HANDLE_VALUE; }
    static bool close(Value search) { return FindClose(search) != FALSE; }
};

}  // namespace

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool ListFolder(const std::string& folder, std::vector<FolderItem>& items) {
    items.clear();
    WIN32_FIND_DATAA found;
    const UniqueResource<FindTraits> search(FindFirstFileA(JoinPath(folder, "*").c_str(), &found));
    if (!search) {
        // The root of an empty drive has not even "." and "..".
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            FolderItem item;
            item.name = name;
            item.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            item.isRegularFile = (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
            item.isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            items.push_back(item);
        }
    } while (FindNextFileA(search.get(), &found));
    return GetLastError() == ERROR_NO_MORE_FILES;
}
