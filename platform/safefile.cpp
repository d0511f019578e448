#include "safefile.h"

#include "rawfile.h"
#include "savejournal.h"
#include "saverecovery.h"
#include "savesteps.h"
#include "stagingnames.h"

namespace {

const std::size_t kNameAttempts = 100;

bool Exists(const std::string& path) { return RawFileTargetState(path.c_str()) != RawTargetState::Missing; }

bool Flush(const std::string& path) {
    RawFile file;
    return !SaveStepFails(FileStep::Flush) && RawFileOpenForWriting(file, path.c_str()) && RawFileCommit(file) &&
           RawFileClose(file);
}

// A file of ours that no longer exists counts as removed.
bool Remove(const std::string& path) {
    return (!SaveStepFails(FileStep::Remove) && RawFileDelete(path.c_str())) || !Exists(path);
}

}  // namespace

SaveUnit::SaveUnit(const std::vector<std::string>& targets, FlushRule flushRule, Journal journal)
    : flushRule_(flushRule), journal_(std::make_unique<SaveJournal>()) {
    bool complete = !targets.empty();
    for (const std::string& target : targets) {
        files_.emplace_back(target);
        complete = complete && !target.empty();
    }
    if (!complete || (journal == Journal::Kept && !startJournal())) {
        return;
    }
    for (std::size_t index = 0; index < files_.size(); ++index) {
        if (!SaveStepFails(FileStep::Create)) {
            files_[index].path_ = createBeside(index, JournalRole::Staged);
        }
    }
}

SaveUnit::~SaveUnit() {
    bool removed = true;
    for (StagedFile& file : files_) {
        if (file.isCreated() && !file.replaced_) {
            removed = Remove(file.path_) && removed;
        }
        // A name reserved for an old file holds an empty file of ours, unless
        // the old file is there because it could not be put back: then it
        // stays, and the journal with it.
        if (!file.oldPath_.empty() && !file.oldMoved_) {
            removed = Remove(file.oldPath_) && removed;
        }
    }
    journal_->finish(keepJournal_ || !removed);
}

bool SaveUnit::startJournal() {
    std::vector<std::string> targets;
    for (const StagedFile& file : files_) {
        targets.push_back(file.target_);
    }
    SaveJournal::Start started = journal_->start(targets);
    if (started == SaveJournal::Start::Taken) {
        // An earlier save of these files was cut short: it is finished or
        // undone first, unless it still runs or cannot be settled.
        const RecoveryOutcome earlier = RecoverSave(targets.front()).outcome;
        if (earlier == RecoveryOutcome::Busy || earlier == RecoveryOutcome::Unsettled) {
            return false;
        }
        started = journal_->start(targets);
    }
    // Still taken: the name holds something that is no journal of ours, or a
    // damaged one, which is left as it is; the save goes on without a journal.
    return started != SaveJournal::Start::Failed;
}

bool SaveUnit::namesATarget(const std::string& name) const {
    for (const StagedFile& file : files_) {
        if (SameFileName(name, file.target_.substr(FolderLength(file.target_)))) {
            return true;
        }
    }
    return false;
}

// A new, empty file beside the target of files_[index], under a name that is
// new there and no target's of the unit: a file of that name, left by a crash
// or the user's own, is never touched. The journal learns the name before the
// file exists. Empty when none can be made.
std::string SaveUnit::createBeside(std::size_t index, JournalRole role) {
    const std::string& target = files_[index].target_;
    const std::string folder = target.substr(0, FolderLength(target));
    const std::size_t width = StagingNameWidth(target);
    for (std::size_t attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = StagingName(width, attempt);
        if (name.empty()) {
            break;
        }
        if (namesATarget(name)) {
            continue;
        }
        if (!journal_->recordName(index, role, name)) {
            break;
        }
        const std::string path = folder + name;
        PassSaveStep();
        RawFile file;
        const RawCreateResult created = RawFileCreateNew(file, path.c_str());
        if (created == RawCreateResult::Created && RawFileClose(file)) {
            return path;
        }
        if (created == RawCreateResult::Created) {
            RawFileDelete(path.c_str());
        }
        // Not a file of ours after all.
        if (!journal_->withdrawName() || created != RawCreateResult::AlreadyExists) {
            break;
        }
    }
    return std::string();
}

SaveResult SaveUnit::replaceTargets() {
    SaveResult result;
    const auto failure = [&result](FileStep step, const StagedFile& file) {
        result.failedStep = step;
        result.target = file.target();
        return result;
    };
    for (const StagedFile& file : files_) {
        if (!file.isCreated()) {
            return failure(FileStep::Create, file);
        }
        if (flushRule_ == FlushRule::Always && !Flush(file.path_)) {
            return failure(FileStep::Flush, file);
        }
    }
    // Every target is looked at, and the name for its old file taken, before
    // the first is replaced; the journal has them all.
    for (std::size_t index = 0; index < files_.size(); ++index) {
        StagedFile& file = files_[index];
        const RawTargetState state = RawFileTargetState(file.target_.c_str());
        if (state == RawTargetState::NotReplaceable) {
            return failure(FileStep::Replace, file);
        }
        file.hadTarget_ = state == RawTargetState::Replaceable;
        // The last file needs no way back, nothing after it can fail; but a
        // system that replaces a file through an old file of ours needs one.
        const bool keepOld = index + 1 < files_.size() || RawFileReplacingNeedsOldFile();
        if (keepOld && file.hadTarget_) {
            file.oldPath_ = createBeside(index, JournalRole::Old);
            if (file.oldPath_.empty()) {
                return failure(FileStep::Replace, file);
            }
        }
    }
    // On the disk before any target changes: a process that ends from here
    // on leaves a save that can be finished. A single file goes in place in
    // one step and cannot be found half saved.
    if (!journal_->recordStage(JournalStage::Placing, files_.size() > 1)) {
        journal_->finish(false);
        return failure(FileStep::Flush, files_.front());
    }
    for (std::size_t index = 0; index < files_.size(); ++index) {
        const FileStep failed = putInPlace(files_[index]);
        if (failed != FileStep::None) {
            undo(index, result);
            return failure(failed, files_[index]);
        }
    }
    bool leftOld = false;
    for (StagedFile& file : files_) {
        if (!file.oldPath_.empty() && !Remove(file.oldPath_)) {
            result.leftovers.push_back(file.oldPath_);
            leftOld = true;
        }
        file.oldPath_.clear();
    }
    if (leftOld) {
        journal_->recordStage(JournalStage::Done, false);
        keepJournal_ = true;
    }
    return result;
}

// Puts the staged file in its target's place, the target's old file aside
// when a name was reserved for it. Returns the step that failed, or None.
FileStep SaveUnit::putInPlace(StagedFile& file) {
    const RawTargetState state = RawFileTargetState(file.target_.c_str());
    // A target that came or went since it was looked at is not the one the
    // journal knows.
    if (SaveStepFails(FileStep::Replace) || state == RawTargetState::NotReplaceable ||
        (state == RawTargetState::Replaceable) != file.hadTarget_) {
        return FileStep::Replace;
    }
    if (file.hadTarget_ && flushRule_ == FlushRule::WhenReplacing && !Flush(file.path_)) {
        return FileStep::Flush;
    }
    PassSaveStep();
    if (file.oldPath_.empty()) {
        if (!RawFileReplace(file.path_.c_str(), file.target_.c_str())) {
            return FileStep::Replace;
        }
    } else if (!RawFileReplaceKeepingOld(file.path_.c_str(), file.target_.c_str(), file.oldPath_.c_str(),
                                         PassSaveStep)) {
        // Nothing moved, or the target's file is aside already and goes back.
        file.oldMoved_ = !Exists(file.target_);
        return FileStep::Replace;
    } else {
        file.oldMoved_ = true;
    }
    file.replaced_ = true;
    return FileStep::None;
}

// Gives every target up to files_[failed] its old file back, the journal
// saying so first. A target that keeps its new file keeps the journal too,
// so that the next opening tries again.
void SaveUnit::undo(std::size_t failed, SaveResult& result) {
    journal_->recordStage(JournalStage::Undoing, true);
    if (files_[failed].oldMoved_) {
        restore(files_[failed], result);
    }
    for (std::size_t index = failed; index-- > 0;) {
        restore(files_[index], result);
    }
    if (result.unrestoredTarget.empty()) {
        journal_->recordStage(JournalStage::Undone, true);
    } else {
        keepJournal_ = true;
    }
}

// The first target that cannot be restored is recorded in `result`.
void SaveUnit::restore(StagedFile& file, SaveResult& result) {
    PassSaveStep();
    bool restored = false;
    if (file.oldMoved_) {
        restored = RawFileReplace(file.oldPath_.c_str(), file.target_.c_str());
        if (restored) {
            file.oldMoved_ = false;
            file.oldPath_.clear();
        }
    } else if (!file.hadTarget_) {
        restored = RawFileDelete(file.target_.c_str());
    }
    if (!restored && result.unrestoredTarget.empty()) {
        result.unrestoredTarget = file.target_;
        result.keptOldFile = file.oldMoved_ ? file.oldPath_ : std::string();
    }
}

SaveResult SaveFile(const std::string& target, const std::function<bool(RawFile&)>& write, Journal journal) {
    SaveUnit unit({target}, FlushRule::Always, journal);
    const StagedFile& staged = unit.file(0);
    SaveResult failed;
    failed.target = target;
    if (!staged.isCreated()) {
        failed.failedStep = FileStep::Create;
        return failed;
    }
    RawFile file;
    const bool written = RawFileOpenForWriting(file, staged.path().c_str()) && write(file);
    if (!RawFileClose(file) || !written) {
        failed.failedStep = FileStep::Write;
        return failed;
    }
    return unit.replaceTargets();
}

SaveResult SaveFileContent(const std::string& target, const std::string& content, Journal journal) {
    return SaveFile(
        target, [&content](RawFile& file) { return RawFileWrite(file, content.data(), content.size()); }, journal);
}
