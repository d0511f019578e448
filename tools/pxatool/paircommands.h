// The commands of pxatool. Each takes its parsed arguments, writes its output
// to standard output, throws ToolError when the operation fails and returns
// the exit status otherwise. Entry names given on the command line are
// upper-cased first, as the editor does with names it is given.
#pragma once

#include <cstdint>
#include <optional>
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
// What joins the folders and the file name in an entry name with --path-names.
constexpr char kPathNameSeparator = '.';

struct InsertOptions {
    bool recursive = false;
    // Places the images and prints the entries, but saves nothing.
    bool dryRun = false;
    // Of files that would get one entry name, the later is taken.
    bool lastWins = false;
    // Entry names hold the subfolders below the folder named (kPathNameSeparator).
    bool pathNames = false;
};

// Folders among `files` stand for the image files in them (ImageFilesOf):
// those that cannot be read are skipped, each named on standard error, and
// the command then exits 1 after saving the rest. Files named themselves
// are all inserted or none. Files that would get one entry name are refused
// unless the options say which name each gets.
int InsertCommand(const PairPaths& pair, const std::vector<std::string>& files, const InsertOptions& options);
int ExtractCommand(const PairPaths& pair, const std::string& folder, const std::vector<std::string>& names,
                   bool overwrite);
int RenameCommand(const PairPaths& pair, const std::string& oldName, const std::string& newName);
int RemoveCommand(const PairPaths& pair, const std::vector<std::string>& names);
int CheckCommand(const PairPaths& pair);
// The entries' rectangles as JSON or CSV, chosen by the extension of `out`;
// with an `imageOut`, also the atlas in the format its extension names, put
// in place with `out` as one unit and named in the JSON's meta.image.
int ExportCommand(const PairPaths& pair, const std::string& out, const std::string& imageOut);
// Re-packs every entry from an empty atlas of `startSize`, or without one of
// the smallest size that holds them (FilePair::compact), saves the pair and
// prints the size and the used percent before and after.
int CompactCommand(const PairPaths& pair, const std::optional<AtlasSize>& startSize);
