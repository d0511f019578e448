#include "recentfiles.h"

#include <algorithm>

namespace {

char FoldAsciiCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool SameFilePath(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return FoldAsciiCase(x) == FoldAsciiCase(y); });
}

void RecentFiles::assign(const std::vector<std::string>& paths) {
    paths_.clear();
    for (const std::string& path : paths) {
        if (paths_.size() == capacity_) {
            break;
        }
        const bool repeated = std::any_of(paths_.begin(), paths_.end(),
                                          [&path](const std::string& kept) { return SameFilePath(kept, path); });
        if (!path.empty() && !repeated) {
            paths_.push_back(path);
        }
    }
}

// Built apart and swapped in, so that running out of memory leaves the list
// as it was.
void RecentFiles::add(const std::string& path) {
    if (path.empty() || capacity_ == 0) {
        return;
    }
    std::vector<std::string> updated;
    updated.reserve(capacity_);
    updated.push_back(path);
    for (const std::string& kept : paths_) {
        if (updated.size() < capacity_ && !SameFilePath(kept, path)) {
            updated.push_back(kept);
        }
    }
    paths_.swap(updated);
}

void RecentFiles::remove(const std::string& path) {
    paths_.erase(std::remove_if(paths_.begin(), paths_.end(),
                                [&path](const std::string& kept) { return SameFilePath(kept, path); }),
                 paths_.end());
}

// Multibyte code pages use no byte below 0x40 inside a character, so doubling
// every '&' byte never splits one.
std::string RecentFileMenuText(std::size_t index, const std::string& path) {
    std::string number = std::to_string(index + 1);
    std::string text = number.substr(0, number.size() - 1) + "&" + number.back() + " ";
    for (char c : path) {
        text += c;
        if (c == '&') {
            text += '&';
        }
    }
    return text;
}
