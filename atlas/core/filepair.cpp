#include "filepair.h"

#include <unordered_set>

#include "atlasdocument.h"
#include "atlasimage.h"
#include "compactatlas.h"
#include "entrycell.h"
#include "exceptions.h"
#include "filepairtestseam.h"
#include "historyreplay.h"
#include "indexfile.h"
#include "insertfiles.h"
#include "safefile.h"

namespace {

const std::uint32_t bothModified = FilePair::ImageModified | FilePair::IndexModified;

// What the user must know when a file replaced before the failure could not
// get its old content back.
std::string restoreNote(const SaveResult& result) {
    if (result.unrestoredTarget.empty()) {
        return std::string();
    }
    if (result.keptOldFile.empty()) {
        return "The new " + result.unrestoredTarget + " could not be removed again.";
    }
    return "The earlier " + result.unrestoredTarget + " could not be put back; it is kept as " + result.keptOldFile +
           ".";
}

}  // namespace

class FilePair::Impl : public AtlasDocument {
public:
    using AtlasDocument::AtlasDocument;
};

FilePair::FilePair(const std::string& indexFileName, const std::string& imageFileName)
    : impl_(std::make_unique<Impl>(indexFileName, imageFileName)) {}

FilePair::FilePair(std::int32_t width, std::int32_t height) : impl_(std::make_unique<Impl>(width, height)) {}

FilePair::~FilePair() = default;
FilePair::FilePair(FilePair&&) noexcept = default;
FilePair& FilePair::operator=(FilePair&&) noexcept = default;

void FilePair::save(int format) { savePair(impl_->indexFileName, impl_->imageFileName, format); }

std::vector<std::string> FilePair::savePair(const std::string& indexFileName, const std::string& imageFileName,
                                            int format) {
    // Copied first: once the files are in place, adopting the names must not fail.
    std::string newIndexName = indexFileName;
    std::string newImageName = imageFileName;
    SaveUnit unit({indexFileName, imageFileName});
    writeIndex(unit.file(0), impl_->entries);
    saveBitmap(impl_->bitmap.get(), unit.file(1), formatForSaving(imageFileName, format));
    const SaveResult saved = unit.replaceTargets();
    if (!saved.succeeded() && saved.target == indexFileName) {
        THROW_AT_SITE(FileException, "Unable to write to file", indexFileName, restoreNote(saved));
    }
    if (!saved.succeeded()) {
        THROW_AT_SITE(FileException, "Unable to save image", imageFileName, restoreNote(saved));
    }
    impl_->indexFileName.swap(newIndexName);
    impl_->imageFileName.swap(newImageName);
    impl_->modified = 0;
    impl_->history.markSaved(bothModified);
    return saved.leftovers;
}

void FilePair::saveIndex(const std::string& fileName) {
    std::string newName = fileName;
    writeIndex(fileName, impl_->entries);
    impl_->indexFileName.swap(newName);
    impl_->modified &= ~std::uint32_t{IndexModified};
    impl_->history.markSaved(IndexModified);
}

void FilePair::saveImage(const std::string& fileName, int format) {
    std::string newName = fileName;
    saveBitmapSafely(impl_->bitmap.get(), fileName, formatForSaving(fileName, format), FlushRule::Always,
                     Journal::Kept);
    impl_->imageFileName.swap(newName);
    impl_->modified &= ~std::uint32_t{ImageModified};
    impl_->history.markSaved(ImageModified);
}

void FilePair::writeImageCopy(const StagedFile& staged) const {
    saveBitmap(impl_->bitmap.get(), staged, formatForSaving(staged.target(), -1));
}

bool FilePair::extract(const std::string& name, const std::string& fileName, int format, ExistingFile existing) const {
    const AtlasEntry* entry = find(name);
    return entry == nullptr ||
           saveEntryImage(*entry, impl_->bitmap.get(), fileName, format, existing == ExistingFile::Replace);
}

std::vector<PlacedEntry> FilePair::insertFiles(std::vector<std::string>& paths) {
    StepRecording recording(*impl_, AtlasEdit::Insert);
    std::vector<PlacedEntry> placed = insertImagePaths(*impl_, paths);
    recording.finish();
    return placed;
}

InsertionResult FilePair::insertNamedFiles(std::vector<ImageFileToInsert>& files) {
    StepRecording recording(*impl_, AtlasEdit::Insert);
    InsertionResult result = insertImageFiles(*impl_, files);
    recording.finish();
    return result;
}

void FilePair::compact() {
    if (!impl_->entries.empty()) {
        const AtlasSize size = compactedSize(*impl_);
        compact(static_cast<std::int32_t>(size.width), static_cast<std::int32_t>(size.height));
    }
}

void FilePair::compact(std::int32_t width, std::int32_t height) {
    StepRecording recording(*impl_, AtlasEdit::Compact);
    compactDocument(*impl_, width, height);
    recording.finish();
}

bool FilePair::rename(const std::string& oldName, const std::string& newName) {
    EntryTable& entries = impl_->entries;
    if (newName.empty() || entries.count(newName) != 0) {
        return false;
    }
    const auto old = entries.find(oldName);
    if (old == entries.end()) {
        return false;
    }
    StepRecording recording(*impl_, AtlasEdit::Rename);
    // Inserted before the old one goes, so that a failure leaves the table whole.
    const auto renamed = entries.emplace(newName, old->second).first;
    impl_->entryAdded(newName);
    const bool wasSelected = impl_->selected == &old->second;
    impl_->eraseEntry(old);
    if (wasSelected) {
        impl_->selected = &renamed->second;
    }
    impl_->modified = bothModified;
    recording.finish();
    return true;
}

void FilePair::remove(const std::string& name) { removeEntries({name}); }

// Freeing cells is the only step that needs memory; it is done first, on the
// map itself with a copy to go back to, and the rest cannot fail.
void FilePair::removeEntries(const std::vector<std::string>& names) {
    EntryTable& entries = impl_->entries;
    std::vector<EntryTable::iterator> removed;
    removed.reserve(names.size());
    std::unordered_set<const AtlasEntry*> named;  // a name given twice is removed once
    for (const std::string& name : names) {
        const auto entry = entries.find(name);
        if (entry != entries.end() && named.insert(&entry->second).second) {
            removed.push_back(entry);
        }
    }
    if (removed.empty()) {
        return;
    }
    StepRecording recording(*impl_, AtlasEdit::Delete);
    FreeSpaceMap snapshot = impl_->freeSpace;
    try {
        for (const auto entry : removed) {
            const AtlasRect cell = cellOf(entry->second);
            impl_->freeSpace.addFree(cell.x, cell.y, cell.width, cell.height);
        }
    } catch (...) {
        impl_->freeSpace.swap(snapshot);
        throw;
    }
    for (const auto entry : removed) {
        const AtlasRect cell = cellOf(entry->second);
        impl_->pixelsChanging(cell);
        clearCell(impl_->bitmap.get(), cell.x, cell.y, cell.width, cell.height);
        impl_->eraseEntry(entry);
    }
    impl_->modified = bothModified;
    recording.finish();
}

std::optional<AtlasEdit> FilePair::undoableEdit() const {
    const AtlasStep* step = impl_->history.next(Replay::Undo);
    return step != nullptr ? std::optional<AtlasEdit>(step->edit) : std::nullopt;
}

std::optional<AtlasEdit> FilePair::redoableEdit() const {
    const AtlasStep* step = impl_->history.next(Replay::Redo);
    return step != nullptr ? std::optional<AtlasEdit>(step->edit) : std::nullopt;
}

EntryNameChanges FilePair::undo() { return replayStep(*impl_, Replay::Undo); }
EntryNameChanges FilePair::redo() { return replayStep(*impl_, Replay::Redo); }
void FilePair::limitHistory(std::size_t bytes) { impl_->history.limit(bytes); }
std::size_t FilePair::historyBytes() const { return impl_->history.bytes(); }

const AtlasEntry* FilePair::find(const std::string& name) const {
    const auto entry = impl_->entries.find(name);
    return entry == impl_->entries.end() ? nullptr : &entry->second;
}

bool FilePair::select(const std::string& name) {
    const AtlasEntry* entry = find(name);
    const bool changed = entry != impl_->selected;
    impl_->selected = entry;
    return changed;
}

const AtlasEntry* FilePair::selected() const { return impl_->selected; }

std::optional<PreviewArea> FilePair::selectedPreviewArea() const {
    if (impl_->selected == nullptr) {
        return std::nullopt;
    }
    return previewAreaOf(*impl_->selected, width(), height());
}

bool FilePair::isModified() const { return impl_->modified != 0; }
bool FilePair::isUntitled() const { return impl_->indexFileName.empty() || impl_->imageFileName.empty(); }
const std::string& FilePair::indexFileName() const { return impl_->indexFileName; }
const std::string& FilePair::imageFileName() const { return impl_->imageFileName; }
const EntryTable& FilePair::entries() const { return impl_->entries; }
std::uint32_t FilePair::width() const { return FreeImage_GetWidth(impl_->bitmap.get()); }
std::uint32_t FilePair::height() const { return FreeImage_GetHeight(impl_->bitmap.get()); }

AtlasPixels FilePair::pixels() const {
    FIBITMAP* const atlas = impl_->bitmap.get();
    return AtlasPixels{FreeImage_GetBits(atlas), static_cast<std::int32_t>(FreeImage_GetPitch(atlas)), width(),
                       height()};
}

std::size_t FilePair::freeRectangleCount() const { return impl_->freeSpace.liveCount(); }

AtlasDocument& FilePairTestSeam::document(FilePair& pair) { return *pair.impl_; }
const AtlasDocument& FilePairTestSeam::document(const FilePair& pair) { return *pair.impl_; }
