#include "historyreplay.h"

#include <algorithm>
#include <map>
#include <new>
#include <utility>

#include "exceptions.h"

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

// All that can fail comes first: the list of names and the room the free
// space needs. From then on nothing allocates.
EntryNameChanges replayStep(AtlasDocument& document, Replay direction) {
    AtlasStep* step = document.history.next(direction);
    if (step == nullptr) {
        return EntryNameChanges();
    }
    EntryNameChanges names;
    try {
        names = nameChangesOf(*step, direction, document.entries);
        document.freeSpace.prepareReplay(step->freeSpace, direction);
    } catch (const std::bad_alloc&) {
        THROW_AT_SITE(Exception, direction == Replay::Undo ? "Unable to undo" : "Unable to redo");
    }
    inReplayOrder(step->pixels, direction, [&document](PixelChange& change) {
        if (change.bitmap) {
            std::swap(document.bitmap, change.bitmap);
        } else {
            exchangePixels(document.bitmap.get(), change);
        }
    });
    document.freeSpace.replay(step->freeSpace, direction);
    inReplayOrder(step->entries, direction, [&document, direction](EntryChange& change) {
        if (putsIn(change, direction)) {
            document.entries.insert(std::move(change.node));
            return;
        }
        change.node = document.entries.extract(change.name);
        if (document.selected == &change.node.mapped()) {
            document.selected = nullptr;
        }
    });
    if (step->replaced) {
        DocumentContents& other = *step->replaced;
        std::swap(document.bitmap, other.bitmap);
        document.entries.swap(other.entries);
        document.freeSpace.swap(other.freeSpace);
        document.selected = nullptr;
    }
    document.history.stepReplayed(direction);
    document.modified = document.history.modifiedBits();
    return names;
}
