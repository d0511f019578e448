// A pair save in a child process, ended by a kill at every step in turn and
// at random moments of a large save: opening the pair afterwards finds
// exactly the old pair or exactly the new one, and no file of the save.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>

#include <gtest/gtest.h>

#include "atlastestsupport.h"
#include "programrunner.h"
#include "rawfile.h"
#include "saverecovery.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// Read in one go: the large atlas has 128 MiB.
std::string ContentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string content(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    in.read(&content[0], static_cast<std::streamsize>(content.size()));
    return content;
}

struct PairBytes {
    std::string index;
    std::string image;
    bool operator==(const PairBytes& other) const { return index == other.index && image == other.image; }
};

bool EndedAbruptly(const ProgramRun& run) { return run.killed || run.exitCode == kAbruptEndExitCode; }

class SaveKillTest : public ::testing::Test {
protected:
    SaveKillTest() { writePatternPng(tile, 5, 3, 7); }

    // A fresh folder holding the old pair.
    static void writeOldPair(const TestFolder& folder) {
        writeFileBytes(folder.path("atlas.pxa"), indexBytes({{"OLD.TGA", {1, 1, 2, 2, 1}}}));
        writeBlankAtlas(folder.path("atlas.tga"), 16, 16);
    }

    static PairBytes pairIn(const TestFolder& folder) {
        return {ContentOf(folder.path("atlas.pxa")), ContentOf(folder.path("atlas.tga"))};
    }

    // The child saves a new pair of that size with the tile over the old one.
    ProgramRun save(const TestFolder& folder, const char* width, const char* height, long endAfter,
                    bool failImage = false, int killAfterMilliseconds = -1) const {
        return RunProgram(SAVECHILD_PATH,
                          {folder.path("atlas.pxa"), folder.path("atlas.tga"), width, height, tile,
                           std::to_string(endAfter), failImage ? "1" : "0"},
                          killAfterMilliseconds);
    }

    // Opens the pair as the editors and tools do; true when it is the new one.
    static bool settledPairIsNew(const TestFolder& folder, const PairBytes& old, const PairBytes& saved) {
        RecoverSavesOf({folder.path("atlas.pxa"), folder.path("atlas.tga")});
        const PairBytes now = pairIn(folder);
        EXPECT_TRUE(now == old || now == saved);
        EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"atlas.pxa", "atlas.tga"}));
        return now == saved;
    }

    TestFolder tiles;
    const std::string tile = tiles.path("tile.png");
};

}  // namespace

// In the second case putting the image in place fails: a death before the
// failure leaves a save that is finished, one after it a save that is undone.
TEST_F(SaveKillTest, APairSaveKilledAtAnyStepLeavesTheOldOrTheNewPair) {
    TestFolder reference;
    writeOldPair(reference);
    const PairBytes old = pairIn(reference);
    ASSERT_EQ(save(reference, "64", "32", -1).exitCode, 0);
    const PairBytes saved = pairIn(reference);
    for (const bool failImage : {false, true}) {
        long steps = 0;
        int endedNew = 0;
        for (;; ++steps) {
            TestFolder folder;
            writeOldPair(folder);
            const ProgramRun run = save(folder, "64", "32", steps, failImage);
            if (!EndedAbruptly(run)) {
                EXPECT_EQ(run.exitCode, failImage ? 1 : 0) << run.err;
                break;
            }
            endedNew += settledPairIsNew(folder, old, saved) ? 1 : 0;
        }
        std::cout << "kill points " << (failImage ? "of a failing save: " : "of a save: ") << steps << ", " << endedNew
                  << " leaving the new pair\n";
        EXPECT_GT(endedNew, 0);
        EXPECT_LT(endedNew, steps);
    }
}

// A handful of kills inside make test; PXA_RANDOM_KILLS asks for more.
TEST_F(SaveKillTest, ALargeSaveKilledAtRandomMomentsLeavesTheOldOrTheNewPair) {
    const char* asked = std::getenv("PXA_RANDOM_KILLS");
    const int kills = asked != nullptr ? std::atoi(asked) : 3;
    TestFolder reference;
    writeOldPair(reference);
    const PairBytes old = pairIn(reference);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(save(reference, "8192", "4096", -1).exitCode, 0);
    const auto took = std::chrono::steady_clock::now() - start;
    const PairBytes saved = pairIn(reference);
    std::mt19937 random(22);
    std::uniform_int_distribution<int> moment(
        0, static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
    int endedNew = 0;
    for (int kill = 0; kill < kills; ++kill) {
        TestFolder folder;
        writeOldPair(folder);
        save(folder, "8192", "4096", -1, false, moment(random));
        endedNew += settledPairIsNew(folder, old, saved) ? 1 : 0;
    }
    std::cout << kills << " kills of a save taking "
              << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms: " << endedNew
              << " left the new pair\n";
}

#ifdef _WIN32
// attrib sets what a user sets in Explorer (one flag a call: Wine's attrib
// applies only one); the files keep it through a save.
TEST_F(SaveKillTest, HiddenAndSystemAttributesSurviveASave) {
    TestFolder folder;
    writeOldPair(folder);
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string attrib = std::string(system) + "\\attrib.exe";
    for (const auto& [flag, file] :
         {std::pair("+h", "atlas.pxa"), std::pair("+h", "atlas.tga"), std::pair("+s", "atlas.tga")}) {
        ASSERT_EQ(RunProgram(attrib, {flag, folder.path(file)}).exitCode, 0);
    }
    const std::string flagsBefore = RunProgram(attrib, {folder.path("atlas.tga")}).out.substr(0, 10);
    ASSERT_NE(flagsBefore.find('H'), std::string::npos);
    ASSERT_NE(flagsBefore.find('S'), std::string::npos);
    const DWORD index = GetFileAttributesA(folder.path("atlas.pxa").c_str());
    const DWORD image = GetFileAttributesA(folder.path("atlas.tga").c_str());

    const PairBytes old = pairIn(folder);
    ASSERT_EQ(save(folder, "64", "32", -1).exitCode, 0);
    EXPECT_NE(pairIn(folder).index, old.index);
    EXPECT_EQ(GetFileAttributesA(folder.path("atlas.pxa").c_str()), index);
    EXPECT_EQ(GetFileAttributesA(folder.path("atlas.tga").c_str()), image);
    EXPECT_EQ(RunProgram(attrib, {folder.path("atlas.tga")}).out.substr(0, 10), flagsBefore);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"atlas.pxa", "atlas.tga"}));
}
#endif
