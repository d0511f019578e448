// The commands of pxatool. Each takes its parsed arguments, writes its output
// to standard output, throws ToolError when the operation fails and returns
// the exit status otherwise. Entry names given on the command line are
// upper-cased first, as the editor does with names it is given.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The name in every error line.
constexpr const char* kToolName = "pxatool";

struct PairPaths {
    std::string index;
    std::string image;
};

struct AtlasSize {
    std::int32_t width = 256;
    std::int32_t height = 256;
};

int NewCommand(const PairPaths& pair, const AtlasSize& size, bool overwrite);
int ListCommand(const PairPaths& pair);
int InfoCommand(const PairPaths& pair);
// Folders among `files` stand for the image files in them (ImageFilesOf). A
// dry run places the images and prints the entries, but saves nothing.
int InsertCommand(const PairPaths& pair, const std::vector<std::string>& files, bool recursive, bool dryRun);
int ExtractCommand(const PairPaths& pair, const std::string& folder, const std::vector<std::string>& names,
                   bool overwrite);
int RenameCommand(const PairPaths& pair, const std::string& oldName, const std::string& newName);
int RemoveCommand(const PairPaths& pair, const std::vector<std::string>& names);
int CheckCommand(const PairPaths& pair);
// The entries' rectangles as JSON or CSV, chosen by the extension of `out`.
int ExportCommand(const PairPaths& pair, const std::string& out);
// Re-packs every entry from an empty atlas of `startSize` (FilePair::compact),
// saves the pair and prints the size and the used percent before and after.
int CompactCommand(const PairPaths& pair, const AtlasSize& startSize);
