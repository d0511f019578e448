// Undo and redo of a FilePair, and what its operations tell the history.
#include <algorithm>
#include <map>
#include <new>
#include <utility>

#include "exceptions.h"
#include "filepairstate.h"

namespace {

const std::size_t pixelSize = 4;

// Puts the rectangle's kept pixels into the atlas and keeps the ones they
// replace, row by row in place: the same call takes a change back and makes
// it again.
void exchangePixels(FIBITMAP* atlas, PixelChange& change) noexcept {
    const AtlasRect& rect = change.rect;
    const std::size_t rowBytes = std::size_t{rect.width} * pixelSize;
    const std::uint32_t atlasHeight = FreeImage_GetHeight(atlas);
    for (std::uint32_t row = 0; row < rect.height; ++row) {
        BYTE* line = FreeImage_GetScanLine(atlas, static_cast<int>(atlasHeight - 1 - rect.y - row)) +
                     std::size_t{rect.x} * pixelSize;
        unsigned char* kept = change.pixels.get() + row * rowBytes;
        std::swap_ranges(line, line + rowBytes, kept);
    }
}

// Whether the replay puts the entry of `change` into the table.
bool putsIn(const EntryChange& change, Replay direction) { return change.added == (direction == Replay::Redo); }

// The changes in the order a replay in `direction` makes them.
template <class Change, class Visit>
void inReplayOrder(std::vector<Change>& changes, Replay direction, Visit visit) {
    if (direction == Replay::Undo) {
        std::for_each(changes.rbegin(), changes.rend(), visit);
    } else {
        std::for_each(changes.begin(), changes.end(), visit);
    }
}

EntryNameChanges nameChangesOf(AtlasStep& step, Replay direction, const EntryTable& entries) {
    std::map<std::string, bool> present;  // by name: whether the table has it after the replay
    inReplayOrder(step.entries, direction,
                  [&](const EntryChange& change) { present[change.name] = putsIn(change, direction); });
    EntryNameChanges changes;
    for (const auto& [name, afterwards] : present) {
        const bool now = entries.count(name) != 0;
        if (now && !afterwards) {
            changes.removed.push_back(name);
        } else if (!now && afterwards) {
            changes.added.push_back(name);
        }
    }
    return changes;
}

}  // namespace

void FilePair::State::pixelsChanging(const AtlasRect& cell) {
    if (recording != nullptr) {
        recording->pixelsChanging(bitmap.get(), cell);
    }
}

void FilePair::State::entryAdded(const std::string& name) {
    if (recording != nullptr) {
        recording->entryAdded(name);
    }
}

void FilePair::State::replaceBitmap(UniqueBitmap replacement) {
    UniqueBitmap old = std::move(bitmap);
    bitmap = std::move(replacement);
    if (recording != nullptr) {
        recording->bitmapReplaced(std::move(old), bitmap.get());
    }
}

void FilePair::State::replaceContents(State& other) {
    std::swap(bitmap, other.bitmap);
    entries.swap(other.entries);
    freeSpace.swap(other.freeSpace);
    if (recording != nullptr) {
        DocumentContents old;
        std::swap(old.bitmap, other.bitmap);
        old.entries.swap(other.entries);
        old.freeSpace.swap(other.freeSpace);
        recording->documentReplaced(std::move(old));
    }
}

// All that can fail comes first: the list of names and the room the free
// space needs. From then on nothing allocates.
EntryNameChanges FilePair::State::replayStep(Replay direction) {
    AtlasStep* step = history.next(direction);
    if (step == nullptr) {
        return EntryNameChanges();
    }
    EntryNameChanges names;
    try {
        names = nameChangesOf(*step, direction, entries);
        freeSpace.prepareReplay(step->freeSpace, direction);
    } catch (const std::bad_alloc&) {
        THROW_AT_SITE(Exception, direction == Replay::Undo ? "Unable to undo" : "Unable to redo");
    }
    inReplayOrder(step->pixels, direction, [this](PixelChange& change) {
        if (change.bitmap) {
            std::swap(bitmap, change.bitmap);
        } else {
            exchangePixels(bitmap.get(), change);
        }
    });
    freeSpace.replay(step->freeSpace, direction);
    inReplayOrder(step->entries, direction, [this, direction](EntryChange& change) {
        if (putsIn(change, direction)) {
            entries.insert(std::move(change.node));
            return;
        }
        change.node = entries.extract(change.name);
        if (selected == &change.node.mapped()) {
            selected = nullptr;
        }
    });
    if (step->replaced) {
        DocumentContents& other = *step->replaced;
        std::swap(bitmap, other.bitmap);
        entries.swap(other.entries);
        freeSpace.swap(other.freeSpace);
        selected = nullptr;
    }
    history.stepReplayed(direction);
    modified = history.modifiedBits();
    return names;
}

std::optional<AtlasEdit> FilePair::undoableEdit() const {
    const AtlasStep* step = state_->history.next(Replay::Undo);
    return step != nullptr ? std::optional<AtlasEdit>(step->edit) : std::nullopt;
}

std::optional<AtlasEdit> FilePair::redoableEdit() const {
    const AtlasStep* step = state_->history.next(Replay::Redo);
    return step != nullptr ? std::optional<AtlasEdit>(step->edit) : std::nullopt;
}

EntryNameChanges FilePair::undo() { return state_->replayStep(Replay::Undo); }
EntryNameChanges FilePair::redo() { return state_->replayStep(Replay::Redo); }
void FilePair::limitHistory(std::size_t bytes) { state_->history.limit(bytes); }
std::size_t FilePair::historyBytes() const { return state_->history.bytes(); }
