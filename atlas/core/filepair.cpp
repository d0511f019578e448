#include "filepair.h"

#include <unordered_set>

#include "atlasimage.h"
#include "exceptions.h"
#include "filepairstate.h"
#include "indexfile.h"
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

void FilePair::State::eraseEntry(EntryTable::iterator entry) {
    if (selected == &entry->second) {
        selected = nullptr;
    }
    EntryTable::node_type node = entries.extract(entry);
    if (recording != nullptr) {
        recording->entryRemoved(std::move(node));
    }
}

AtlasRect cellOf(const AtlasEntry& entry) { return {entry.x - 1, entry.y - 1, entry.width + 2, entry.height + 2}; }

FilePair::FilePair(const std::string& indexFileName, const std::string& imageFileName)
    : state_(std::make_unique<State>()) {
    state_->bitmap = loadImage(imageFileName);
    const std::uint32_t width = FreeImage_GetWidth(state_->bitmap.get());
    const std::uint32_t height = FreeImage_GetHeight(state_->bitmap.get());
    state_->freeSpace.addFree(0, 0, width, height);
    readIndex(indexFileName, width, height, state_->entries, state_->freeSpace);
    state_->indexFileName = indexFileName;
    state_->imageFileName = imageFileName;
}

FilePair::FilePair(std::int32_t width, std::int32_t height) : state_(std::make_unique<State>()) {
    if (width > 0 && height > 0) {
        state_->bitmap = allocateBitmap(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
    }
    if (!state_->bitmap) {
        THROW_AT_SITE(Exception, "Unable to create bitmap");
    }
    state_->freeSpace.addFree(0, 0, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
}

FilePair::~FilePair() = default;
FilePair::FilePair(FilePair&&) noexcept = default;
FilePair& FilePair::operator=(FilePair&&) noexcept = default;

void FilePair::save(int format) { savePair(state_->indexFileName, state_->imageFileName, format); }

std::vector<std::string> FilePair::savePair(const std::string& indexFileName, const std::string& imageFileName,
                                            int format) {
    // Copied first: once the files are in place, adopting the names must not fail.
    std::string newIndexName = indexFileName;
    std::string newImageName = imageFileName;
    SaveUnit unit({indexFileName, imageFileName});
    writeIndex(unit.file(0), state_->entries);
    saveBitmap(state_->bitmap.get(), unit.file(1), formatForSaving(imageFileName, format));
    const SaveResult saved = unit.replaceTargets();
    if (!saved.succeeded() && saved.target == indexFileName) {
        THROW_AT_SITE(FileException, "Unable to write to file", indexFileName, restoreNote(saved));
    }
    if (!saved.succeeded()) {
        THROW_AT_SITE(FileException, "Unable to save image", imageFileName, restoreNote(saved));
    }
    state_->indexFileName.swap(newIndexName);
    state_->imageFileName.swap(newImageName);
    state_->modified = 0;
    state_->history.markSaved(bothModified);
    return saved.leftovers;
}

void FilePair::saveIndex(const std::string& fileName) {
    std::string newName = fileName;
    writeIndex(fileName, state_->entries);
    state_->indexFileName.swap(newName);
    state_->modified &= ~std::uint32_t{IndexModified};
    state_->history.markSaved(IndexModified);
}

void FilePair::saveImage(const std::string& fileName, int format) {
    std::string newName = fileName;
    saveBitmapSafely(state_->bitmap.get(), fileName, formatForSaving(fileName, format), FlushRule::Always,
                     Journal::Kept);
    state_->imageFileName.swap(newName);
    state_->modified &= ~std::uint32_t{ImageModified};
    state_->history.markSaved(ImageModified);
}

void FilePair::writeImageCopy(const StagedFile& staged) const {
    saveBitmap(state_->bitmap.get(), staged, formatForSaving(staged.target(), -1));
}

bool FilePair::extract(const std::string& name, const std::string& fileName, int format, ExistingFile existing) const {
    const AtlasEntry* entry = find(name);
    return entry == nullptr ||
           saveEntryImage(*entry, state_->bitmap.get(), fileName, format, existing == ExistingFile::Replace);
}

void FilePair::insertFiles(std::vector<std::string>& paths) {
    StepRecording recording(*state_, AtlasEdit::Insert);
    state_->insertFiles(paths);
    recording.finish();
}

std::vector<SkippedFile> FilePair::insertNamedFiles(std::vector<ImageFileToInsert>& files) {
    StepRecording recording(*state_, AtlasEdit::Insert);
    std::vector<SkippedFile> skipped = state_->insertNamedFiles(files);
    recording.finish();
    return skipped;
}

bool FilePair::rename(const std::string& oldName, const std::string& newName) {
    EntryTable& entries = state_->entries;
    if (newName.empty() || entries.count(newName) != 0) {
        return false;
    }
    const auto old = entries.find(oldName);
    if (old == entries.end()) {
        return false;
    }
    StepRecording recording(*state_, AtlasEdit::Rename);
    // Inserted before the old one goes, so that a failure leaves the table whole.
    const auto renamed = entries.emplace(newName, old->second).first;
    state_->entryAdded(newName);
    const bool wasSelected = state_->selected == &old->second;
    state_->eraseEntry(old);
    if (wasSelected) {
        state_->selected = &renamed->second;
    }
    state_->modified = bothModified;
    recording.finish();
    return true;
}

void FilePair::remove(const std::string& name) { removeEntries({name}); }

// Freeing cells is the only step that needs memory; it is done first, on the
// map itself with a copy to go back to, and the rest cannot fail.
void FilePair::removeEntries(const std::vector<std::string>& names) {
    EntryTable& entries = state_->entries;
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
    StepRecording recording(*state_, AtlasEdit::Delete);
    FreeSpaceMap snapshot = state_->freeSpace;
    try {
        for (const auto entry : removed) {
            const AtlasRect cell = cellOf(entry->second);
            state_->freeSpace.addFree(cell.x, cell.y, cell.width, cell.height);
        }
    } catch (...) {
        state_->freeSpace.swap(snapshot);
        throw;
    }
    for (const auto entry : removed) {
        const AtlasRect cell = cellOf(entry->second);
        state_->pixelsChanging(cell);
        clearCell(state_->bitmap.get(), cell.x, cell.y, cell.width, cell.height);
        state_->eraseEntry(entry);
    }
    state_->modified = bothModified;
    recording.finish();
}

const AtlasEntry* FilePair::find(const std::string& name) const {
    const auto entry = state_->entries.find(name);
    return entry == state_->entries.end() ? nullptr : &entry->second;
}

bool FilePair::select(const std::string& name) {
    const AtlasEntry* entry = find(name);
    const bool changed = entry != state_->selected;
    state_->selected = entry;
    return changed;
}

const AtlasEntry* FilePair::selected() const { return state_->selected; }

std::optional<PreviewArea> FilePair::selectedPreviewArea() const {
    if (state_->selected == nullptr) {
        return std::nullopt;
    }
    return previewAreaOf(*state_->selected, width(), height());
}

bool FilePair::isModified() const { return state_->modified != 0; }
std::uint32_t FilePair::modifiedBits() const { return state_->modified; }
bool FilePair::isUntitled() const { return state_->indexFileName.empty() || state_->imageFileName.empty(); }
const std::string& FilePair::indexFileName() const { return state_->indexFileName; }
const std::string& FilePair::imageFileName() const { return state_->imageFileName; }
const EntryTable& FilePair::entries() const { return state_->entries; }
std::uint32_t FilePair::width() const { return FreeImage_GetWidth(bitmap()); }
std::uint32_t FilePair::height() const { return FreeImage_GetHeight(bitmap()); }
std::size_t FilePair::freeRectangleCount() const { return state_->freeSpace.liveCount(); }
FIBITMAP* FilePair::bitmap() const { return state_->bitmap.get(); }
const FreeSpaceMap& FilePair::freeSpace() const { return state_->freeSpace; }
