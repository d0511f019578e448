#include "atlashistory.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "atlasdocument.h"

namespace {

const std::size_t pixelSize = 4;

// What an entry costs while the history holds it: the node, its name and
// the record of the change.
std::size_t entryBytes(const std::string& name) { return sizeof(EntryChange) + 96 + 2 * name.size(); }

std::size_t bitmapBytes(FIBITMAP* bitmap) {
    return bitmap == nullptr ? 0 : std::size_t{FreeImage_GetPitch(bitmap)} * FreeImage_GetHeight(bitmap);
}

bool liesInside(const AtlasRect& rect, FIBITMAP* atlas) {
    return rightEnd(rect) <= FreeImage_GetWidth(atlas) && bottomEnd(rect) <= FreeImage_GetHeight(atlas);
}

}  // namespace

void AtlasHistory::stepReplayed(Replay direction) noexcept {
    if (direction == Replay::Undo) {
        --done_;
        state_ = steps_[done_]->stateBefore;
    } else {
        state_ = steps_[done_]->stateAfter;
        ++done_;
    }
}

void AtlasHistory::add(std::unique_ptr<AtlasStep> step, bool kept) noexcept {
    dropUndone();
    step->stateBefore = state_;
    step->stateAfter = ++lastState_;
    state_ = step->stateAfter;
    if (!kept || step->bytes > limit_) {
        steps_.clear();
        done_ = 0;
        bytes_ = 0;
        return;
    }
    const std::size_t bytes = step->bytes;
    try {
        steps_.push_back(std::move(step));
    } catch (const std::bad_alloc&) {
        steps_.clear();
        done_ = 0;
        bytes_ = 0;
        return;
    }
    ++done_;
    bytes_ += bytes;
    keepWithinLimit();
}

void AtlasHistory::limit(std::size_t bytes) noexcept {
    limit_ = bytes;
    keepWithinLimit();
}

// The oldest steps go first; the undone ones only when the made ones alone
// are too many.
void AtlasHistory::keepWithinLimit() noexcept {
    std::size_t dropped = 0;
    while (bytes_ > limit_ && dropped < done_) {
        bytes_ -= steps_[dropped]->bytes;
        ++dropped;
    }
    steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(dropped));
    done_ -= dropped;
    while (bytes_ > limit_) {
        bytes_ -= steps_.back()->bytes;
        steps_.pop_back();
    }
}

void AtlasHistory::dropUndone() noexcept {
    while (steps_.size() > done_) {
        bytes_ -= steps_.back()->bytes;
        steps_.pop_back();
    }
}

void AtlasHistory::markSaved(std::uint32_t modifiedBits) noexcept {
    if ((modifiedBits & FilePair::ImageModified) != 0) {
        imageSaved_ = state_;
    }
    if ((modifiedBits & FilePair::IndexModified) != 0) {
        indexSaved_ = state_;
    }
}

std::uint32_t AtlasHistory::modifiedBits() const {
    const std::uint32_t image = state_ != imageSaved_ ? FilePair::ImageModified : 0u;
    const std::uint32_t index = state_ != indexSaved_ ? FilePair::IndexModified : 0u;
    return image | index;
}

StepRecording::StepRecording(AtlasDocument& document, AtlasEdit edit)
    : document_(document), budget_(document.history.limitBytes()), step_(std::make_unique<AtlasStep>()) {
    step_->edit = edit;
    step_->freeSpace.startRecording(&budget_);
    document_.freeSpace.attachLog(&step_->freeSpace);
    document_.recording = this;
}

StepRecording::~StepRecording() { stop(); }

void StepRecording::stop() noexcept {
    if (document_.recording == this) {
        document_.recording = nullptr;
        document_.freeSpace.attachLog(nullptr);
        step_->freeSpace.stopRecording();
    }
}

void StepRecording::finish() noexcept {
    stop();
    if (changed_) {
        step_->bytes = budget_.used();
        document_.history.add(std::move(step_), !budget_.exceeded());
    }
}

bool StepRecording::take(std::size_t bytes) noexcept {
    if (budget_.take(bytes)) {
        return true;
    }
    giveUp();
    return false;
}

// Everything noted so far goes; the free-space log, left empty without a
// budget, notes nothing more.
void StepRecording::giveUp() noexcept {
    budget_.exceed();
    step_->pixels.clear();
    step_->entries.clear();
    step_->replaced.reset();
    step_->freeSpace = FreeSpaceLog();
}

void StepRecording::pixelsChanging(FIBITMAP* atlas, const AtlasRect& rect) noexcept {
    changed_ = true;
    const std::size_t rowBytes = std::size_t{rect.width} * pixelSize;
    const std::size_t bytes = rowBytes * rect.height;
    if (budget_.exceeded() || !take(sizeof(PixelChange) + bytes)) {
        return;
    }
    std::unique_ptr<unsigned char[]> pixels(new (std::nothrow) unsigned char[bytes]);
    if (!pixels || !liesInside(rect, atlas)) {
        giveUp();
        return;
    }
    const std::uint32_t atlasHeight = FreeImage_GetHeight(atlas);
    for (std::uint32_t row = 0; row < rect.height; ++row) {
        const BYTE* line = FreeImage_GetScanLine(atlas, static_cast<int>(atlasHeight - 1 - rect.y - row));
        std::memcpy(pixels.get() + row * rowBytes, line + std::size_t{rect.x} * pixelSize, rowBytes);
    }
    try {
        step_->pixels.push_back(PixelChange{rect, std::move(pixels), nullptr});
    } catch (const std::bad_alloc&) {
        giveUp();
    }
}

void StepRecording::bitmapReplaced(UniqueBitmap old, FIBITMAP* atlas) noexcept {
    changed_ = true;
    // While undone the step holds the other, larger, one.
    if (budget_.exceeded() || !take(sizeof(PixelChange) + std::max(bitmapBytes(old.get()), bitmapBytes(atlas)))) {
        return;
    }
    try {
        step_->pixels.push_back(PixelChange{AtlasRect{}, nullptr, std::move(old)});
    } catch (const std::bad_alloc&) {
        giveUp();
    }
}

void StepRecording::entryAdded(const std::string& name) noexcept {
    changed_ = true;
    if (budget_.exceeded() || !take(entryBytes(name))) {
        return;
    }
    try {
        step_->entries.push_back(EntryChange{true, name, EntryTable::node_type()});
    } catch (const std::bad_alloc&) {
        giveUp();
    }
}

void StepRecording::entryRemoved(EntryTable::node_type node) noexcept {
    changed_ = true;
    if (budget_.exceeded() || !take(entryBytes(node.key()))) {
        return;
    }
    try {
        std::string name = node.key();
        step_->entries.push_back(EntryChange{false, std::move(name), std::move(node)});
    } catch (const std::bad_alloc&) {
        giveUp();
    }
}

void StepRecording::documentReplaced(DocumentContents old) noexcept {
    changed_ = true;
    std::size_t bytes = sizeof(DocumentContents) +
                        std::max(bitmapBytes(old.bitmap.get()), bitmapBytes(document_.bitmap.get())) +
                        old.freeSpace.usage().bytes;
    for (const auto& entry : old.entries) {
        bytes += entryBytes(entry.first);
    }
    if (budget_.exceeded() || !take(bytes)) {
        return;
    }
    try {
        step_->replaced = std::make_unique<DocumentContents>(std::move(old));
    } catch (const std::bad_alloc&) {
        giveUp();
    }
}
