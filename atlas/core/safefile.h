// Writing a file without ever destroying the one it replaces.
#pragma once

#include <string>

// A new, empty file in the folder of `target`. Write the content to path(),
// then replaceTarget() puts it in the target's place in one step. A temporary
// file that never replaced its target is deleted with this object.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool isCreated() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

    // Flushes the temporary file to disk and renames it over the target.
    // On false the target is as it was.
    bool replaceTarget();

private:
    std::string target_;
    std::string path_;
    bool replaced_ = false;
};
