// The commands of dattool. Arguments arrive as UTF-8; each command converts
// paths with NativePath, names to Windows-1252 and texts to UTF-16, writes its
// output to standard output, throws ToolError when the operation fails and
// returns the exit status otherwise.
#pragma once

#include <string>

// The name in every error line.
constexpr const char* kToolName = "dattool";

int ListCommand(const std::string& tablePath);
int ExportCommand(const std::string& tablePath, const std::string& outputPath);
int ImportCommand(const std::string& inputPath, const std::string& tablePath);
int CheckCommand(const std::string& tablePath);
int SetCommand(const std::string& tablePath, const std::string& name, const std::string& text, bool escaped);
int DeleteCommand(const std::string& tablePath, const std::string& name);
