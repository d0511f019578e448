// Saving files without ever destroying the ones they replace. Each new file is
// written beside its target under a short name of its own, flushed, and only
// then put in the target's place. Several files go in place as one unit: when
// one of them cannot, the targets replaced before it get their old files back.
// A journal beside the first target records the save while it runs, so that
// when the process ends in the middle of it, the next opening of the files
// finishes or undoes it (saverecovery.h).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct RawFile;
class SaveJournal;
enum class JournalRole : char;

// The steps of a save that can fail. Write is the caller's own writing. A
// Remove that fails leaves a file behind (SaveResult::leftovers) but never
// fails the save.
enum class FileStep { None, Create, Write, Flush, Replace, Remove };

// When a staged file is flushed before it goes in place. The flush is what
// keeps a replaced file safe: without it a crash just after the replacement
// can leave the target empty, the old content gone with the new. A file that
// holds the user's only copy of their work is flushed in any case; a copy of
// data kept elsewhere (an entry written out of the atlas) only where it
// replaces a file, since a new one lost in a crash can be written again.
enum class FlushRule { Always, WhenReplacing };

// Whether a save keeps a journal. Files that are opened again through
// RecoverSave (documents) are saved with one; copies written out of a
// document, which nobody opens that way, without.
enum class Journal { Kept, None };

// How a save ended. On failure `target` is the target the failure concerns,
// as the caller named it.
struct SaveResult {
    FileStep failedStep = FileStep::None;
    std::string target;
    // Set only when a target replaced before the failure could not get its
    // old file back: that target, and where its old file is kept instead
    // (empty when it had none). The journal stays, so that the next opening
    // of the target tries again.
    std::string unrestoredTarget;
    std::string keptOldFile;
    // Files of a save that succeeded which could not be removed (old files
    // moved aside). The journal stays, so that the next opening or save of
    // the target removes them.
    std::vector<std::string> leftovers;

    bool succeeded() const { return failedStep == FileStep::None; }
};

// One new file of a SaveUnit, to be written through path() while the unit
// lives. Its name has at most eight characters, and no more than the target's
// own name or the room that a 259-character path leaves in that folder,
// whichever is more: every target that could be written directly can be
// saved this way. It is no target's name in the unit.
class StagedFile {
public:
    explicit StagedFile(std::string target) : target_(std::move(target)) {}

    bool isCreated() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    const std::string& target() const { return target_; }

private:
    friend class SaveUnit;

    std::string target_;
    std::string path_;
    bool hadTarget_ = false;  // the target existed when the unit began to put files in place
    bool replaced_ = false;
    std::string oldPath_;    // reserved for the target's old file; empty when none is kept
    bool oldMoved_ = false;  // the target's old file is at oldPath_
};

// New files for `targets`, saved as one unit: each is created empty beside
// its target, written by the caller, then all go in place by replaceTargets.
// What has not gone in place is deleted with the unit, and the journal too.
// None is created when a target is empty, or when an earlier save of the
// same files still runs or could not be settled (RecoverSave).
class SaveUnit {
public:
    explicit SaveUnit(const std::vector<std::string>& targets, FlushRule flushRule = FlushRule::Always,
                      Journal journal = Journal::Kept);
    ~SaveUnit();
    SaveUnit(const SaveUnit&) = delete;
    SaveUnit& operator=(const SaveUnit&) = delete;

    const StagedFile& file(std::size_t index) const { return files_[index]; }

    // Flushes every staged file (as the FlushRule says), then puts each in
    // its target's place, in order. On failure every target is as it was
    // (see SaveResult for the exception). Called once.
    SaveResult replaceTargets();

private:
    bool startJournal();
    bool namesATarget(const std::string& name) const;
    std::string createBeside(std::size_t index, JournalRole role);
    FileStep putInPlace(StagedFile& file);
    void undo(std::size_t failed, SaveResult& result);
    void restore(StagedFile& file, SaveResult& result);

    std::vector<StagedFile> files_;
    FlushRule flushRule_;
    std::unique_ptr<SaveJournal> journal_;
    bool keepJournal_ = false;
};

// A whole file saved in one go: `write` fills the open staged file (false
// when it failed), which is then closed, flushed and put in its target's place.
SaveResult SaveFile(const std::string& target, const std::function<bool(RawFile&)>& write,
                    Journal journal = Journal::Kept);

// SaveFile of `content` as it is.
SaveResult SaveFileContent(const std::string& target, const std::string& content, Journal journal = Journal::Kept);
