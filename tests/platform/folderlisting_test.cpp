// Walking a folder tree: regular files only, in name order whatever the file
// system keeps, subfolders at their place, never through a linked folder.
#include "folderlisting.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "testfolder.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

// Each file as its subfolders and name, "!" and the folder when the walk failed.
std::vector<std::string> Walk(const std::string& folder, bool recursive) {
    std::vector<FileInFolder> files;
    std::string unreadable;
    std::vector<std::string> found;
    const bool read = ListFilesInFolder(folder, recursive, files, unreadable);
    for (const FileInFolder& file : files) {
        found.push_back(file.subfolders + file.name);
    }
    if (!read) {
        found.push_back("!" + unreadable);
    }
    return found;
}

}  // namespace

TEST(FolderListing, WalksRegularFilesInNameOrderWithoutFollowingLinkedFolders) {
    TestFolder folder;
    for (const char* name : {"b/d/e", "b/c", "a", "c"}) {
        std::filesystem::create_directories(std::filesystem::path(folder.path(name)).parent_path());
        std::ofstream(folder.path(name)) << name;
    }
#ifndef _WIN32
    // A link back up the tree would be walked for ever; a FIFO would block its reader.
    std::filesystem::create_directory_symlink(folder.path(""), folder.path("b/up"));
    ASSERT_EQ(mkfifo(folder.path("b/fifo").c_str(), 0600), 0);
#endif
    const std::string root = folder.path("");
    EXPECT_EQ(Walk(root, false), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(Walk(root, true), (std::vector<std::string>{"a", "b/c", "b/d/e", "c"}));
    const std::string missing = folder.path("missing");
    EXPECT_EQ(Walk(missing, true), std::vector<std::string>{"!" + missing});
}
