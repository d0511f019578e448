// Settling a save from what its journal says and what is on the disk.
#include "saverecovery.h"

#include <fstream>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "rawfile.h"
#include "savejournal.h"
#include "stagingnames.h"
#include "testfolder.h"

namespace {

// File name to content; "J" stands for the journal.
using Files = std::map<std::string, std::string>;

Files FilesIn(const TestFolder& folder, const std::string& journalName) {
    Files files;
    for (const std::string& name : folder.fileNames()) {
        std::ifstream in(folder.path(name), std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        files[name == journalName ? "J" : name] = content.str();
    }
    return files;
}

const std::string kStart = JournalStartRecord({"", ""}, {"a.pxa", "a.tga"});
// The new index and image staged as ~0 and ~1, the old index to go aside as ~2.
const std::string kStaged = kStart + JournalNameRecord(0, JournalRole::Staged, "~0") +
                            JournalNameRecord(1, JournalRole::Staged, "~1") +
                            JournalNameRecord(0, JournalRole::Old, "~2");
const std::string kPlacing = kStaged + JournalStageRecord(JournalStage::Placing);

struct Case {
    const char* what;
    std::string journal;
    Files before;  // besides the journal
    RecoveryOutcome outcome;
    Files after;  // empty: as before, journal included
};

}  // namespace

TEST(SaveRecovery, SettlesAnInterruptedSaveByItsJournal) {
    const Files oldPair = {{"a.pxa", "old index"}, {"a.tga", "old image"}};
    const Files newPair = {{"a.pxa", "new index"}, {"a.tga", "new image"}};
    const Files halfPlaced = {{"a.pxa", "new index"}, {"~2", "old index"}, {"~1", "new image"}, {"a.tga", "old image"}};
    std::string corrupt = kPlacing;
    corrupt[kStart.size() + 6] ^= 1;
    const Case cases[] = {
        {"torn journal", kPlacing.substr(0, kPlacing.size() - 1), halfPlaced, RecoveryOutcome::Damaged, {}},
        {"corrupt journal", corrupt, halfPlaced, RecoveryOutcome::Damaged, {}},
        {"not a journal", "not ours", oldPair, RecoveryOutcome::NothingFound, {}},
        {"journal without staged files", kStaged, oldPair, RecoveryOutcome::RolledBack, oldPair},
        {"empty journal", "", oldPair, RecoveryOutcome::RolledBack, oldPair},
        {"staged files written",
         kStaged,
         {{"a.pxa", "old index"}, {"a.tga", "old image"}, {"~0", "new"}, {"~1", "new"}, {"~2", ""}},
         RecoveryOutcome::RolledBack,
         oldPair},
        {"journal after a completed save",
         kPlacing,
         {{"a.pxa", "new index"}, {"a.tga", "new image"}, {"~2", "old index"}},
         RecoveryOutcome::Completed,
         newPair},
        {"between the two replacements", kPlacing, halfPlaced, RecoveryOutcome::Completed, newPair},
        {"index moved aside",
         kPlacing,
         {{"~0", "new index"}, {"~2", "old index"}, {"~1", "new image"}, {"a.tga", "old image"}},
         RecoveryOutcome::Completed,
         newPair},
        {"failure being undone", kPlacing + JournalStageRecord(JournalStage::Undoing), halfPlaced,
         RecoveryOutcome::RolledBack, oldPair},
        {"old file left after the save",
         kPlacing + JournalStageRecord(JournalStage::Done),
         {{"a.pxa", "new index"}, {"a.tga", "new image"}, {"~2", "old index"}},
         RecoveryOutcome::Cleaned,
         newPair},
    };
    for (const Case& c : cases) {
        TestFolder folder;
        const std::string journal = JournalPath(folder.path("a.pxa"));
        Files before = c.before;
        before["J"] = c.journal;
        for (const auto& [name, content] : before) {
            std::ofstream(name == "J" ? journal : folder.path(name), std::ios::binary) << content;
        }
        EXPECT_EQ(RecoverSave(folder.path("a.pxa")).outcome, c.outcome) << c.what;
        EXPECT_EQ(FilesIn(folder, journal.substr(FolderLength(journal))), c.after.empty() ? before : c.after) << c.what;
    }
}

TEST(SaveRecovery, LeavesASaveThatStillRunsAlone) {
    TestFolder folder;
    RawFile held;
    ASSERT_EQ(RawFileCreateHeld(held, JournalPath(folder.path("a.pxa")).c_str()), RawCreateResult::Created);
    EXPECT_EQ(RecoverSave(folder.path("a.pxa")).outcome, RecoveryOutcome::Busy);
    EXPECT_EQ(folder.fileNames().size(), 1u);
}
