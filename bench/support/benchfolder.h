// A folder for one benchmark run's files, deleted with them at its end.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

class BenchFolder {
public:
    explicit BenchFolder(const std::string& prefix)
        : folder_(std::filesystem::temp_directory_path() / (prefix + std::to_string(std::random_device()()))) {
        std::filesystem::create_directories(folder_);
    }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

private:
    std::filesystem::path folder_;
};
