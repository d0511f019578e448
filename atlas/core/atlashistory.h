// The history of an atlas document: its steps, how an operation records
// one while it runs, and which of them undo and redo take next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bitmap.h"
#include "filepair.h"
#include "freespacelog.h"
#include "freespacemap.h"
#include "stepbudget.h"

struct AtlasDocument;

// A change of the atlas's pixels, kept as what it replaced: a rectangle of
// pixels, or a whole bitmap the atlas was exchanged for (the atlas an
// insertion grew from; once undone, the grown one). Exchanging them again
// takes the change back or makes it again, without allocating.
struct PixelChange {
    AtlasRect rect;
    std::unique_ptr<unsigned char[]> pixels;  // rows of the rectangle, top first
    UniqueBitmap bitmap;
};

// An entry the step put into the table or took out of it. While it is out
// of the table, the node holds it, so that it goes back without allocating.
struct EntryChange {
    bool added = false;
    std::string name;
    EntryTable::node_type node;
};

// What a change of the whole document (compaction) replaced.
struct DocumentContents {
    UniqueBitmap bitmap;
    EntryTable entries;
    FreeSpaceMap freeSpace;
};

// One step: the changes of one operation in the order it made them.
struct AtlasStep {
    AtlasEdit edit = AtlasEdit::Insert;
    std::uint64_t stateBefore = 0;  // the document's states, numbered as they arise
    std::uint64_t stateAfter = 0;
    std::vector<PixelChange> pixels;
    std::vector<EntryChange> entries;
    FreeSpaceLog freeSpace;
    std::unique_ptr<DocumentContents> replaced;
    std::size_t bytes = 0;
};

// The steps made and undone, within a memory budget, and the states last
// saved. Every state of the document has a number; a new step's state gets
// a number never used before, so a state saved and then undone past and
// replaced by another step never counts as saved again.
class AtlasHistory {
public:
    // The step that an undo or a redo takes next, or null.
    AtlasStep* next(Replay direction) const {
        if (direction == Replay::Undo) {
            return done_ > 0 ? steps_[done_ - 1].get() : nullptr;
        }
        return done_ < steps_.size() ? steps_[done_].get() : nullptr;
    }
    // After the step that next(direction) gave has been replayed.
    void stepReplayed(Replay direction) noexcept;

    // Takes a step that changed the document, dropping the undone ones. A
    // step that could not keep its changes (`kept` false) or that exceeds
    // the budget empties the history instead.
    void add(std::unique_ptr<AtlasStep> step, bool kept) noexcept;

    void limit(std::size_t bytes) noexcept;
    std::size_t limitBytes() const { return limit_; }
    std::size_t bytes() const { return bytes_; }

    // FilePair's modified bits: which of the files differ from the state
    // they were last saved in.
    void markSaved(std::uint32_t modifiedBits) noexcept;
    std::uint32_t modifiedBits() const;

private:
    void keepWithinLimit() noexcept;
    void dropUndone() noexcept;

    std::vector<std::unique_ptr<AtlasStep>> steps_;
    std::size_t done_ = 0;  // steps_[0, done_) are made, the rest undone
    std::size_t bytes_ = 0;
    std::size_t limit_ = FilePair::defaultHistoryBytes;
    std::uint64_t state_ = 0;
    std::uint64_t lastState_ = 0;
    std::uint64_t imageSaved_ = 0;
    std::uint64_t indexSaved_ = 0;
};

// Records one operation on a document as a step: made before the operation
// changes anything, finished when it has succeeded. An operation that throws
// leaves the document as it was, and its step is dropped with the recording.
// Noting never fails: a step whose changes cannot be kept only empties the
// history when it finishes.
class StepRecording {
public:
    StepRecording(AtlasDocument& document, AtlasEdit edit);
    ~StepRecording();
    StepRecording(const StepRecording&) = delete;
    StepRecording& operator=(const StepRecording&) = delete;

    void finish() noexcept;

    // Before the pixels of `rect`, inside `atlas`, change.
    void pixelsChanging(FIBITMAP* atlas, const AtlasRect& rect) noexcept;
    // After the atlas was exchanged for `atlas`.
    void bitmapReplaced(UniqueBitmap old, FIBITMAP* atlas) noexcept;
    void entryAdded(const std::string& name) noexcept;
    void entryRemoved(EntryTable::node_type node) noexcept;
    void documentReplaced(DocumentContents old) noexcept;

private:
    bool take(std::size_t bytes) noexcept;
    void giveUp() noexcept;
    void stop() noexcept;

    AtlasDocument& document_;
    StepBudget budget_;
    std::unique_ptr<AtlasStep> step_;
    bool changed_ = false;
};
