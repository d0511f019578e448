// The files of a drop (WM_DROPFILES) in both editors. The owner gives the
// drop's memory back to the system (DragFinish) when it goes, on every way
// out of the handler, exceptions included.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

class DroppedFiles {
public:
    explicit DroppedFiles(HDROP drop) : drop_(drop) {}
    ~DroppedFiles() { DragFinish(drop_); }
    DroppedFiles(const DroppedFiles&) = delete;
    DroppedFiles& operator=(const DroppedFiles&) = delete;

    // The dropped files and folders, in the drop's order, in the ANSI code
    // page like every path these programs handle.
    std::vector<std::string> paths() const {
        std::vector<std::string> paths;
        const UINT count = DragQueryFileA(drop_, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            const UINT length = DragQueryFileA(drop_, i, nullptr, 0);
            std::string path(length + 1, '\0');
            path.resize(DragQueryFileA(drop_, i, &path[0], length + 1));
            paths.push_back(path);
        }
        return paths;
    }

private:
    HDROP drop_;
};
