#include "stagingnames.h"

#include <algorithm>
#include <cstdint>

#include "rawfile.h"

namespace {

// Windows refuses paths of MAX_PATH (260) characters, the terminator included.
const std::size_t kLongestPath = 259;
const std::size_t kLongestName = 8;
const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
// Names of one character, for a target of one at the end of the longest path.
const char kOneCharacterNames[] = "~_!#$%&+=@^";

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::size_t FolderLength(const std::string& path) {
    std::size_t length = path.size();
    while (length > 0 && !RawFileIsPathSeparator(path[length - 1])) {
        --length;
    }
    return length;
}

std::size_t StagingNameWidth(const std::string& target) {
    const std::size_t nameLength = target.size() - FolderLength(target);
    // A relative target lies in a folder longer than the part given.
    const std::string full = RawFileFullPath(target.c_str());
    const std::size_t folderLength = full.empty() ? FolderLength(target) : FolderLength(full);
    const std::size_t room = kLongestPath > folderLength ? kLongestPath - folderLength : 0;
    return std::clamp(std::max(room, nameLength), std::size_t{1}, kLongestName);
}

std::string StagingName(std::size_t width, std::size_t attempt) {
    if (width == 1) {
        return attempt < sizeof kOneCharacterNames - 1 ? std::string(1, kOneCharacterNames[attempt]) : std::string();
    }
    std::string name(width, '0');
    name[0] = '~';
    for (std::size_t at = width - 1; at > 0 && attempt > 0; --at, attempt /= 36) {
        name[at] = kDigits[attempt % 36];
    }
    return attempt == 0 ? name : std::string();
}

std::string JournalPath(const std::string& target) {
    const std::size_t folderLength = FolderLength(target);
    // FNV-1a of the upper-cased name, in as many base-36 digits as fit.
    std::uint32_t hash = 2166136261u;
    for (std::size_t at = folderLength; at < target.size(); ++at) {
        hash = (hash ^ static_cast<unsigned char>(UpperAscii(target[at]))) * 16777619u;
    }
    std::string name = "~";
    for (std::size_t digit = 1; digit < StagingNameWidth(target); ++digit, hash /= 36) {
        name += kDigits[hash % 36];
    }
    return target.substr(0, folderLength) + name;
}

bool SameFileName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}
