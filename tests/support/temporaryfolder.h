// A fresh folder in the system's temporary folder, deleted with everything in
// it afterwards; for tests (TestFolder) and benchmarks alike.
#pragma once

#include <string>
#include <vector>

class TemporaryFolder {
public:
    // Named `prefix` and the first number that makes a new folder.
    explicit TemporaryFolder(const std::string& prefix);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // The path of `name` inside the folder, with the platform's separators.
    std::string path(const std::string& name) const;
    // Names of the files now in the folder, sorted.
    std::vector<std::string> fileNames() const;

private:
    std::string folder_;
};
