// The commands of dattool. Arguments arrive as UTF-8; each command converts
// paths with NativePath, names to Windows-1252 and texts to UTF-16, writes its
// output to standard output, throws ToolError when the operation fails and
// returns the exit status otherwise.
#pragma once

#include <string>

#include "exchangeformat.h"

// The name in every error line.
constexpr const char* kToolName = "dattool";

struct ExportOptions {
    std::string sourcePath;   // the table of source texts; empty for none
    bool isTemplate = false;  // a template of the table's texts as sources (implied by .pot)
    std::string language;     // the PO header's Language
    bool byteOrderMark = false;
};

struct ImportOptions {
    PoNames poNames = PoNames::FromContext;
    bool poNamesGiven = false;  // for refusing --names-from on other formats
};

int ListCommand(const std::string& tablePath);
int ExportCommand(const std::string& tablePath, const std::string& outputPath, const ExportOptions& options);
int ImportCommand(const std::string& inputPath, const std::string& tablePath, const ImportOptions& options);
int CheckCommand(const std::string& tablePath);
int SetCommand(const std::string& tablePath, const std::string& name, const std::string& text, bool escaped);
int DeleteCommand(const std::string& tablePath, const std::string& name);
