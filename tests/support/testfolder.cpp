#include "testfolder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string currentTestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "_" + info->name() : "test";
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

} // namespace

TestFolder::TestFolder() {
    const std::string stem = "pxa_" + currentTestName() + "_";
    for (int attempt = 0;; ++attempt) {
        const fs::path folder = fs::temp_directory_path() / (stem + std::to_string(attempt));
        if (fs::create_directories(folder)) {
            folder_ = folder.string();
            return;
        }
    }
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::string TestFolder::path(const std::string& name) const {
    return (fs::path(folder_) / name).string();
}

std::vector<std::string> TestFolder::fileNames() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
