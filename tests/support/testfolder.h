// A fresh folder for one test, deleted with everything in it afterwards. Its
// name says which test made it.
#pragma once

#include <string>
#include <vector>

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The path of `name` inside the folder, with the platform's separators.
    std::string path(const std::string& name) const;
    // Names of the files now in the folder, sorted.
    std::vector<std::string> fileNames() const;

private:
    std::string folder_;
};
