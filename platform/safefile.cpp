#include "safefile.h"

#include <algorithm>
#include <new>
#include <utility>

#include "rawfile.h"

namespace {

// Windows refuses paths of MAX_PATH (260) characters, the terminator included.
const std::size_t kLongestPath = 259;
const std::size_t kLongestTemporaryName = 8;
const int kNameAttempts = 100;
const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
// Names of one character, for a target of one at the end of the longest path.
const char kOneCharacterNames[] = "~_!#$%&+=@^";

FileStep g_failingStep = FileStep::None;
long g_stepsBeforeFailure = -1;

bool StepFails(FileStep step) {
    if (step != g_failingStep || g_stepsBeforeFailure < 0) {
        return false;
    }
    if (g_stepsBeforeFailure == 0) {
        return true;
    }
    --g_stepsBeforeFailure;
    return false;
}

// "~0000000", "~0000001", ... cut to `width` characters; empty when names of
// that width have run out.
std::string TemporaryName(std::size_t width, std::size_t attempt) {
    if (width == 1) {
        return attempt < sizeof kOneCharacterNames - 1 ? std::string(1, kOneCharacterNames[attempt]) : std::string();
    }
    std::string name(width, '0');
    name[0] = '~';
    for (std::size_t at = width - 1; at > 0 && attempt > 0; --at, attempt /= 36) {
        name[at] = kDigits[attempt % 36];
    }
    return attempt == 0 ? name : std::string();
}

// A new, empty file in the folder of `target`, under a name that is new
// there: a file of that name, left by a crash or the user's own, is never
// touched. Empty when none can be made.
std::string CreateFileBeside(const std::string& target) {
    std::size_t folderLength = target.size();
    while (folderLength > 0 && !RawFileIsPathSeparator(target[folderLength - 1])) {
        --folderLength;
    }
    const std::size_t room = kLongestPath > folderLength ? kLongestPath - folderLength : 0;
    const std::size_t width =
        std::clamp(std::max(room, target.size() - folderLength), std::size_t{1}, kLongestTemporaryName);
    for (std::size_t attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = TemporaryName(width, attempt);
        if (name.empty()) {
            break;
        }
        const std::string path = target.substr(0, folderLength) + name;
        RawFile file;
        const RawCreateResult created = RawFileCreateNew(file, path.c_str());
        if (created == RawCreateResult::Created) {
            if (RawFileClose(file)) {
                return path;
            }
            RawFileDelete(path.c_str());
            break;
        }
        if (created == RawCreateResult::Failed) {
            break;
        }
    }
    return std::string();
}

// Whether ReplaceTargets flushes the staged file before any is put in place;
// the others are flushed in PutInPlace, once it is known that they replace a file.
bool FlushedBeforePlacing(const StagedFile& staged) { return staged.flushRule() == FlushRule::Always; }

bool Flush(const std::string& path) {
    RawFile file;
    return !StepFails(FileStep::Flush) && RawFileOpenForWriting(file, path.c_str()) && RawFileCommit(file) &&
           RawFileClose(file);
}

// Gives `target` back the file it had before: `oldFile`, or none at all.
// The first failure is recorded in `result`.
void Restore(const std::string& target, const std::string& oldFile, SaveResult& result) {
    const bool restored =
        oldFile.empty() ? RawFileDelete(target.c_str()) : RawFileReplace(oldFile.c_str(), target.c_str());
    if (!restored && result.unrestoredTarget.empty()) {
        result.unrestoredTarget = target;
        result.keptOldFile = oldFile;
    }
}

// Puts the staged file in its target's place. With `keepOld`, a file already
// there is first moved aside and `oldFile` tells where, so that it can be put
// back; without, the target is replaced in one step. Returns the step that
// failed, or None.
FileStep PutInPlace(const StagedFile& staged, bool keepOld, std::string& oldFile, SaveResult& result) {
    const std::string& target = staged.target();
    const RawTargetState state = RawFileTargetState(target.c_str());
    if (StepFails(FileStep::Replace) || state == RawTargetState::NotReplaceable) {
        return FileStep::Replace;
    }
    if (state == RawTargetState::Replaceable && !FlushedBeforePlacing(staged) && !Flush(staged.path())) {
        return FileStep::Flush;
    }
    if (keepOld && state == RawTargetState::Replaceable) {
        oldFile = CreateFileBeside(target);
        if (oldFile.empty() || !RawFileReplace(target.c_str(), oldFile.c_str())) {
            if (!oldFile.empty()) {
                RawFileDelete(oldFile.c_str());
            }
            oldFile.clear();
            return FileStep::Replace;
        }
    }
    if (RawFileReplace(staged.path().c_str(), target.c_str())) {
        return FileStep::None;
    }
    if (!oldFile.empty()) {
        Restore(target, oldFile, result);
        oldFile.clear();
    }
    return FileStep::Replace;
}

}  // namespace

StagedFile::StagedFile(std::string target, FlushRule flushRule) : target_(std::move(target)), flushRule_(flushRule) {
    if (!target_.empty() && !StepFails(FileStep::Create)) {
        path_ = CreateFileBeside(target_);
    }
}

StagedFile::~StagedFile() {
    if (isCreated() && !replaced_) {
        RawFileDelete(path_.c_str());
    }
}

SaveResult StagedFile::replaceTarget() { return ReplaceTargets({this}); }

SaveResult ReplaceTargets(const std::vector<StagedFile*>& files) {
    SaveResult result;
    for (const StagedFile* file : files) {
        if (!file->isCreated() || (FlushedBeforePlacing(*file) && !Flush(file->path()))) {
            result.failedStep = file->isCreated() ? FileStep::Flush : FileStep::Create;
            result.target = file->target();
            return result;
        }
    }
    // oldFiles[i]: where the old file of files[i] went; empty when it had none.
    // It has its room before any file is placed and names move into it, so a
    // placed file is always listed; running out of memory on the way (a name
    // for an old file) puts the listed ones back, as a failed step does.
    std::vector<std::string> oldFiles;
    oldFiles.reserve(files.size());
    const auto restorePlaced = [&] {
        for (std::size_t placed = oldFiles.size(); placed-- > 0;) {
            Restore(files[placed]->target(), oldFiles[placed], result);
        }
        oldFiles.clear();
    };
    try {
        for (std::size_t placed = 0; placed < files.size(); ++placed) {
            StagedFile& file = *files[placed];
            // The last file needs no way back: nothing after it can fail.
            const bool keepOld = placed + 1 < files.size();
            std::string oldFile;
            const FileStep failed = PutInPlace(file, keepOld, oldFile, result);
            if (failed != FileStep::None) {
                restorePlaced();
                result.failedStep = failed;
                result.target = file.target();
                return result;
            }
            file.replaced_ = true;
            oldFiles.push_back(std::move(oldFile));
        }
    } catch (const std::bad_alloc&) {
        restorePlaced();
        throw;
    }
    for (const std::string& oldFile : oldFiles) {
        if (!oldFile.empty()) {
            RawFileDelete(oldFile.c_str());
        }
    }
    return result;
}

SaveResult SaveFile(const std::string& target, const std::function<bool(RawFile&)>& write) {
    StagedFile staged(target);
    if (!staged.isCreated()) {
        return SaveResult{FileStep::Create, target, {}, {}};
    }
    RawFile file;
    const bool written = RawFileOpenForWriting(file, staged.path().c_str()) && write(file);
    if (!RawFileClose(file) || !written) {
        return SaveResult{FileStep::Write, target, {}, {}};
    }
    return staged.replaceTarget();
}

SaveResult SaveFileContent(const std::string& target, const std::string& content) {
    return SaveFile(target, [&content](RawFile& file) { return RawFileWrite(file, content.data(), content.size()); });
}

void FailFileStepAfter(FileStep step, long successfulSteps) {
    g_failingStep = step;
    g_stepsBeforeFailure = successfulSteps < 0 ? -1 : successfulSteps;
}
