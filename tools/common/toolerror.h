// How the tools report a failed operation: one line naming the file.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

// Thrown by a command when it cannot do what was asked. `file` is the file
// the failure is about (empty when it concerns none); `what()` is the reason.
class ToolError : public std::runtime_error {
public:
    ToolError(std::string file, const std::string& reason) : std::runtime_error(reason), file_(std::move(file)) {}
    const std::string& file() const { return file_; }

private:
    std::string file_;
};

// Thrown by a command whose options do not go together (exit status 2).
class UsageError : public ToolError {
public:
    using ToolError::ToolError;
};

// The line a tool prints for a failure: "tool: file: reason". Line breaks
// inside become spaces, other control bytes and bytes that are not UTF-8
// are written as \xNN, so that the line is one line of valid UTF-8.
std::string ErrorLine(const std::string& toolName, const std::string& file, const std::string& reason);
