// The recent-files list of an editor's File menu, as a user expects it: the
// most recent document first, each document once, the oldest dropped when the
// list is full.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class RecentFiles {
public:
    static constexpr std::size_t kDefaultCapacity = 8;

    explicit RecentFiles(std::size_t capacity = kDefaultCapacity) : capacity_(capacity) {}

    // The list as stored, most recent first. Empty paths, repeats and the
    // paths beyond the capacity are dropped, so a damaged setting still gives
    // a sound list.
    void assign(const std::vector<std::string>& paths);
    // `path` becomes the most recent document; the same path further down
    // goes, and so does the oldest one when the list is full.
    void add(const std::string& path);
    void remove(const std::string& path);

    const std::vector<std::string>& paths() const { return paths_; }

private:
    std::size_t capacity_;
    std::vector<std::string> paths_;
};

// True when two paths name the same file as Windows compares file names:
// ASCII letters in either case are the same, every other byte must match.
bool SameFilePath(const std::string& a, const std::string& b);

// The text of the menu item for the path at `index` (from 0): "&1 path" for
// the first nine, "1&0 path" for the tenth, and the path's own ampersands
// doubled so that the menu shows them rather than taking them as mnemonics.
std::string RecentFileMenuText(std::size_t index, const std::string& path);
