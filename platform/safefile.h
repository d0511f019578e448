// Saving files without ever destroying the ones they replace. Each new file is
// written beside its target under a short name of its own, flushed, and only
// then put in the target's place. Several files go in place as one unit: when
// one of them cannot, the targets replaced before it get their old files back.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct RawFile;

// The steps of a save that can fail. Write is the caller's own writing.
enum class FileStep { None, Create, Write, Flush, Replace };

// When a staged file is flushed before it goes in place. The flush is what
// keeps a replaced file safe: without it a crash just after the replacement
// can leave the target empty, the old content gone with the new. A file that
// holds the user's only copy of their work is flushed in any case; a copy of
// data kept elsewhere (an entry written out of the atlas) only where it
// replaces a file, since a new one lost in a crash can be written again.
enum class FlushRule { Always, WhenReplacing };

// How a save ended. On failure `target` is the target the failure concerns,
// as the caller named it.
struct SaveResult {
    FileStep failedStep = FileStep::None;
    std::string target;
    // Set only when a target replaced before the failure could not get its
    // old file back: that target, and where its old file is kept instead
    // (empty when it had none).
    std::string unrestoredTarget;
    std::string keptOldFile;

    bool succeeded() const { return failedStep == FileStep::None; }
};

// A new, empty file in the folder of `target`, to be written through path().
// Its name has at most eight characters, and no more than the target's own
// name or the room that a 259-character path leaves in that folder, whichever
// is more: every target that could be written directly can be saved this
// way. Deleted with this object unless it has replaced its target.
class StagedFile {
public:
    explicit StagedFile(std::string target, FlushRule flushRule = FlushRule::Always);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    bool isCreated() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    const std::string& target() const { return target_; }
    FlushRule flushRule() const { return flushRule_; }

    // ReplaceTargets of this file alone: the target is replaced in one step.
    SaveResult replaceTarget();

private:
    friend SaveResult ReplaceTargets(const std::vector<StagedFile*>& files);

    std::string target_;
    std::string path_;
    FlushRule flushRule_;
    bool replaced_ = false;
};

// Flushes every staged file (as its FlushRule says), then puts each in its
// target's place, in order. On failure every target is as it was (see
// SaveResult for the exception).
SaveResult ReplaceTargets(const std::vector<StagedFile*>& files);

// A whole file saved in one go: `write` fills the open staged file (false
// when it failed), which is then closed, flushed and put in its target's place.
SaveResult SaveFile(const std::string& target, const std::function<bool(RawFile&)>& write);

// SaveFile of `content` as it is.
SaveResult SaveFileContent(const std::string& target, const std::string& content);

// Lets tests fail a save at any step on every system: after
// `successfulSteps` more successes of `step` (creating a staged file,
// flushing one, putting one in place), every further one fails, until this
// is called again. A negative count turns the failures off.
void FailFileStepAfter(FileStep step, long successfulSteps);
