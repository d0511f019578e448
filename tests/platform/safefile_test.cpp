// Saving through staged files: names that are never a target's, paths sized
// from the full path, files left behind never silent.
#include "safefile.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "rawfile.h"
#include "savejournal.h"
#include "saverecovery.h"
#include "savetestseam.h"
#include "stagingnames.h"
#include "testfolder.h"

namespace {

std::string ContentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Saves "new " + the name of each target as one unit.
SaveResult SaveUnitOf(const std::vector<std::string>& targets) {
    SaveUnit unit(targets);
    for (std::size_t index = 0; index < targets.size(); ++index) {
        std::ofstream(unit.file(index).path(), std::ios::binary) << "new " << targets[index];
    }
    return unit.replaceTargets();
}

}  // namespace

// A staged or old file under a target's name would take that target's place.
TEST(SafeFile, SavesTargetsNamedLikeItsOwnFiles) {
    const std::vector<std::vector<std::string>> units = {
        {"a.pxa", "~0000000"}, {"~0000001", "a.tga"}, {"~0000000", "~0000001"}, {"~0000002", "~0000000"}};
    for (const std::vector<std::string>& names : units) {
        TestFolder folder;
        std::ofstream(folder.path(names[0])) << "old";
        std::vector<std::string> targets;
        for (const std::string& name : names) {
            targets.push_back(folder.path(name));
        }
        EXPECT_TRUE(SaveUnitOf(targets).succeeded()) << names[0];
        for (const std::string& target : targets) {
            EXPECT_EQ(ContentOf(target), "new " + target);
        }
        EXPECT_EQ(folder.fileNames().size(), names.size()) << names[0];
    }
}

// The room left for a name is that of the folder the system uses, not of the
// folder part given.
TEST(SafeFile, SizesNamesBesideARelativeTargetFromItsFullPath) {
    TestFolder folder;
    const std::string deep = folder.path(std::string(253 - folder.path("").size(), 'd'));
    std::filesystem::create_directory(deep);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(deep);
    {
        SaveUnit unit({"a.pxa"});
        EXPECT_LE(RawFileFullPath(unit.file(0).path().c_str()).size(), 259u);
        EXPECT_TRUE(unit.replaceTargets().succeeded());
    }
    std::filesystem::current_path(previous);
    EXPECT_TRUE(std::filesystem::exists(deep + "/a.pxa"));
}

// An old file that cannot be removed is named, and its journal stays so that
// the next opening of the pair removes it.
TEST(SafeFile, ReportsOldFilesItCannotRemoveAndLeavesThemToTheNextOpening) {
    struct Disarm {
        ~Disarm() { FailFileStepAfter(FileStep::None, -1); }
    } disarm;
    TestFolder folder;
    const std::vector<std::string> targets = {folder.path("a.pxa"), folder.path("a.tga")};
    for (const std::string& target : targets) {
        std::ofstream(target) << "old";
    }
    FailFileStepAfter(FileStep::Remove, 0);
    const SaveResult saved = SaveUnitOf(targets);
    FailFileStepAfter(FileStep::Remove, -1);
    ASSERT_TRUE(saved.succeeded());
    ASSERT_FALSE(saved.leftovers.empty());
    EXPECT_EQ(folder.fileNames().size(), targets.size() + saved.leftovers.size() + 1);
    EXPECT_EQ(RecoverSave(targets[0]).outcome, RecoveryOutcome::Cleaned);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"a.pxa", "a.tga"}));
    EXPECT_EQ(ContentOf(targets[1]), "new " + targets[1]);
}

// A save of the same files that still runs in another process holds its
// journal: this one fails before it touches anything.
TEST(SafeFile, RefusesToSaveWhileAnotherSaveOfTheFileRuns) {
    TestFolder folder;
    const std::string target = folder.path("t.dat");
    std::ofstream(target) << "old";
    RawFile held;
    ASSERT_EQ(RawFileCreateHeld(held, JournalPath(target).c_str()), RawCreateResult::Created);
    EXPECT_EQ(SaveFileContent(target, "new").failedStep, FileStep::Create);
    EXPECT_EQ(ContentOf(target), "old");
    EXPECT_EQ(folder.fileNames().size(), 2u);
}
