#include "saverecovery.h"

#include <cstdint>

#include "rawfile.h"
#include "savejournal.h"
#include "stagingnames.h"

namespace {

// A journal names a few files; anything much larger is no journal of ours.
const std::uint64_t kLongestJournal = 64 * 1024;

bool Exists(const std::string& path) { return RawFileTargetState(path.c_str()) != RawTargetState::Missing; }

void DoNothing() {}

bool ReadWhole(RawFile& file, std::string& bytes) {
    std::uint64_t size = 0;
    if (!RawFileSize(file, size) || size > kLongestJournal) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t read = 0;
    return RawFileRead(file, &bytes[0], bytes.size(), read) && read == bytes.size();
}

// One target of the save, with the files the journal reserved for it.
struct SavedFile {
    std::string target;
    std::string staged;  // empty when none was recorded
    std::string old;     // empty when the target's old file was not to be kept
};

class Recovery {
public:
    Recovery(const JournalContent& content, const std::string& journalFolder) {
        std::vector<std::string> folders;
        for (std::size_t index = 0; index < content.names.size(); ++index) {
            folders.push_back(content.folders[index].empty() ? journalFolder : content.folders[index]);
            files_.push_back({folders.back() + content.names[index], std::string(), std::string()});
        }
        for (const JournalName& reserved : content.files) {
            const std::string path = folders[reserved.target] + reserved.name;
            (reserved.role == JournalRole::Staged ? files_[reserved.target].staged : files_[reserved.target].old) =
                path;
            ownFiles_.push_back(path);
        }
    }

    // Puts every staged file that is still there in place, keeping the old
    // file where the journal has a name for it, as the save would have.
    bool finish() const {
        for (const SavedFile& file : files_) {
            if (file.staged.empty() || !Exists(file.staged)) {
                continue;
            }
            const bool placed =
                !file.old.empty() && Exists(file.target)
                    ? RawFileReplaceKeepingOld(file.staged.c_str(), file.target.c_str(), file.old.c_str(), DoNothing)
                    : RawFileReplace(file.staged.c_str(), file.target.c_str());
            if (!placed) {
                return false;
            }
        }
        return true;
    }

    // Gives every target its old file back: from the old file's name where
    // the target was replaced or moved aside; a target that had no file
    // loses the new one.
    bool undo() const {
        bool restored = true;
        for (std::size_t index = files_.size(); index-- > 0;) {
            const SavedFile& file = files_[index];
            const bool placed = !file.staged.empty() && !Exists(file.staged);
            if (!file.old.empty()) {
                if (Exists(file.old) && (placed || !Exists(file.target))) {
                    restored = RawFileReplace(file.old.c_str(), file.target.c_str()) && restored;
                }
            } else if (placed && Exists(file.target)) {
                restored = RawFileDelete(file.target.c_str()) && restored;
            }
        }
        return restored;
    }

    // Removes every file the save made that is still there.
    std::vector<std::string> removeOwnFiles() const {
        std::vector<std::string> left;
        for (const std::string& path : ownFiles_) {
            if (Exists(path) && !RawFileDelete(path.c_str())) {
                left.push_back(path);
            }
        }
        return left;
    }

private:
    std::vector<SavedFile> files_;
    std::vector<std::string> ownFiles_;
};

RecoveryOutcome Settle(const JournalContent& content, const Recovery& recovery) {
    switch (content.stage) {
    case JournalStage::Staging:
    case JournalStage::Undone: return RecoveryOutcome::RolledBack;
    case JournalStage::Done: return RecoveryOutcome::Cleaned;
    case JournalStage::Placing:
        if (recovery.finish()) {
            return RecoveryOutcome::Completed;
        }
        break;
    case JournalStage::Undoing: break;
    }
    return recovery.undo() ? RecoveryOutcome::RolledBack : RecoveryOutcome::Unsettled;
}

std::string Joined(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths) {
        text += (text.empty() ? "" : ", ") + path;
    }
    return text;
}

}  // namespace

RecoveryReport RecoverSave(const std::string& target) {
    RecoveryReport report;
    const std::string journalPath = JournalPath(target);
    RawFile journal;
    switch (RawFileOpenHeld(journal, journalPath.c_str())) {
    case RawHoldResult::Held: break;
    case RawHoldResult::Busy: report.outcome = RecoveryOutcome::Busy; return report;
    case RawHoldResult::Missing:
    case RawHoldResult::Failed: return report;  // nothing, or nothing a save of ours made
    }
    std::string bytes;
    JournalContent content;
    if (!ReadWhole(journal, bytes)) {
        report.outcome = RecoveryOutcome::Damaged;
    } else if (bytes.empty()) {
        report.outcome = RecoveryOutcome::RolledBack;  // its process ended before it made anything else
    } else {
        switch (DecodeJournal(bytes, content)) {
        case JournalReadResult::NotAJournal: return report;
        case JournalReadResult::Damaged: report.outcome = RecoveryOutcome::Damaged; break;
        case JournalReadResult::Read: {
            const Recovery recovery(content, target.substr(0, FolderLength(target)));
            report.outcome = Settle(content, recovery);
            if (report.outcome != RecoveryOutcome::Unsettled) {
                report.leftovers = recovery.removeOwnFiles();
            }
            break;
        }
        }
    }
    report.journal = journalPath;
    if (report.outcome == RecoveryOutcome::Damaged || report.outcome == RecoveryOutcome::Unsettled ||
        !report.leftovers.empty()) {
        RawFileClose(journal);
    } else if (!RawFileDeleteHeld(journal, journalPath.c_str())) {
        report.leftovers.push_back(journalPath);
    }
    return report;
}

std::string RecoveryNote(const RecoveryReport& report) {
    std::string note;
    switch (report.outcome) {
    case RecoveryOutcome::NothingFound: break;
    case RecoveryOutcome::Completed:
        note = "The last save of this file was interrupted; it has now been completed.";
        break;
    case RecoveryOutcome::RolledBack:
        note = "The last save of this file was interrupted; the files are as they were before it.";
        break;
    case RecoveryOutcome::Cleaned:
        if (report.leftovers.empty()) {
            note = "Files that the last save could not remove have now been removed.";
        }
        break;
    case RecoveryOutcome::Busy: note = "Another program is saving this file; it may change while it is read."; break;
    case RecoveryOutcome::Damaged:
        note = "The journal of an interrupted save, " + report.journal +
               ", is damaged and was left as it is; files of that save may remain beside it.";
        break;
    case RecoveryOutcome::Unsettled:
        note = "The last save of this file was interrupted and could not be finished or undone; its journal " +
               report.journal + " is kept, and opening the file again tries once more.";
        break;
    }
    if (!report.leftovers.empty()) {
        note += (note.empty() ? "" : " ") + std::string("These files of the last save could not be removed: ") +
                Joined(report.leftovers) + ".";
    }
    return note;
}

std::vector<RecoveryNotice> RecoverSavesOf(const std::vector<std::string>& files) {
    std::vector<RecoveryNotice> notices;
    for (const std::string& file : files) {
        const std::string note = file.empty() ? std::string() : RecoveryNote(RecoverSave(file));
        if (!note.empty()) {
            notices.push_back({file, note});
        }
    }
    return notices;
}
