#include "temporaryfolder.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

TemporaryFolder::TemporaryFolder(const std::string& prefix) {
    for (int attempt = 0;; ++attempt) {
        const fs::path folder = fs::temp_directory_path() / (prefix + std::to_string(attempt));
        if (fs::create_directories(folder)) {
            folder_ = folder.string();
            return;
        }
    }
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::string TemporaryFolder::path(const std::string& name) const { return (fs::path(folder_) / name).string(); }

std::vector<std::string> TemporaryFolder::fileNames() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
