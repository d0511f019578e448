// The files a folder given to insert stands for, as the system names them.
#include "pathlists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "atlastestsupport.h"
#include "filepath.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

std::vector<std::string> pathsOf(const std::vector<FoundFile>& files) {
    std::vector<std::string> paths;
    std::transform(files.begin(), files.end(), std::back_inserter(paths),
                   [](const FoundFile& file) { return file.path; });
    return paths;
}

}  // namespace

#ifndef _WIN32
// Opening a FIFO to see whether it is an image would wait for a writer for ever.
TEST(FolderListing, SkipsWhatIsNotARegularFileWithoutOpeningIt) {
    TestFolder folder;
    writePatternPng(folder.path("a.png"), 2, 2, 1);
    ASSERT_EQ(mkfifo(folder.path("b.png").c_str(), 0600), 0);
    EXPECT_EQ(pathsOf(ImageFilesOf({folder.path("")}, false)),
              std::vector<std::string>{JoinPath(folder.path(""), "a.png")});
}
#else
// "Z:" is the current folder of drive Z, and "Z:a.png" a file in it.
TEST(FolderListing, JoinsADriveRelativeFolderAsWindowsResolvesIt) {
    TestFolder folder;
    writePatternPng(folder.path("a.png"), 2, 2, 1);
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.path("").c_str()));
    const std::string drive = folder.path("").substr(0, 2);
    const std::vector<std::string> files = pathsOf(ImageFilesOf({drive}, false));
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(files, std::vector<std::string>{drive + "a.png"});
}
#endif
