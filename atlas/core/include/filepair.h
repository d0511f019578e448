// The atlas document: an atlas image, its named entries and its index file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "atlasentry.h"
#include "previewarea.h"

class StagedFile;

// An image file on its way into the atlas under the entry name the caller
// gives it (upper case, as every entry name).
struct ImageFileToInsert {
    std::string path;
    std::string name;
    // One of many found in a folder: when it cannot be read it is left out
    // and reported, and the others go in.
    bool optional = false;
};

// An optional file left out of an insertion, and why (the message loading it gave).
struct SkippedFile {
    std::string path;
    std::string reason;
};

// An entry that an insertion placed, one for each file inserted.
struct PlacedEntry {
    std::string name;
    AtlasEntry entry;  // where the file went (freed again when a later file of the insertion takes its name)
    // Whether the table had an entry of that name when the file was placed:
    // one from before, or one a file placed earlier in the same insertion made.
    bool replaced = false;
};

// What insertNamedFiles did.
struct InsertionResult {
    std::vector<PlacedEntry> placed;  // in placement order
    std::vector<SkippedFile> skipped;
};

// The atlas's pixels, read-only, for drawing and copying: 32-bit BGRA with
// straight alpha, the bottom row first in memory, rows `pitch` bytes apart.
// Valid until the document next changes.
struct AtlasPixels {
    const std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The kinds of change that are steps of a document's history, for the Edit
// menu to name ("Undo Delete").
enum class AtlasEdit { Insert, Delete, Rename, Compact };

// What an undo or a redo did to the names of the entry table, for a list of
// them to follow. An entry that is back under a name it had is in neither.
struct EntryNameChanges {
    std::vector<std::string> removed;  // names the table no longer has
    std::vector<std::string> added;    // names new to the table
};

// A handle on a separately allocated document state. Every failure is thrown
// as an Exception (exceptions.h). A moved-from FilePair may only be destroyed
// or assigned to.
class FilePair {
public:
    enum ModifiedBits : std::uint32_t {
        ImageModified = 1,  // the atlas differs from its file
        IndexModified = 2,  // the entries differ from the index file
    };

    // Opens an existing pair: the image first, then the index.
    FilePair(const std::string& indexFileName, const std::string& imageFileName);
    // A new, untitled document with a transparent black atlas.
    FilePair(std::int32_t width, std::int32_t height);
    ~FilePair();
    FilePair(FilePair&&) noexcept;
    FilePair& operator=(FilePair&&) noexcept;

    // savePair under the current names (format -1: from the file name).
    void save(int format);
    // Writes the index and the image beside their targets and puts both in
    // place as one unit, then adopts both names. On failure both files on
    // disk, the names and the modified bits are as they were, and the
    // FileException names the file that could not be saved. Returns the old
    // files that were moved aside and could not be removed (their journal
    // stays, and the next opening or save of the pair removes them).
    std::vector<std::string> savePair(const std::string& indexFileName, const std::string& imageFileName, int format);
    // One file of the pair alone, in place at once (no unit with the other),
    // adopting its name and clearing its modified bit; a failure leaves the
    // old file, the names and the bits as they were.
    void saveIndex(const std::string& fileName);
    void saveImage(const std::string& fileName, int format);
    // Writes the atlas into a staged file (platform/safefile.h) in the format
    // its target's extension names, for a copy that goes in place with other
    // files as one unit; the document keeps its names. Throws FileException.
    void writeImageCopy(const StagedFile& staged) const;

    // What extract does with a file already there.
    enum class ExistingFile { Replace, Keep };
    // Writes one entry's pixels to an image file; an unknown name does
    // nothing. False, with nothing written, when the file exists and
    // `existing` says to keep it.
    bool extract(const std::string& name, const std::string& fileName, int format,
                 ExistingFile existing = ExistingFile::Replace) const;

    // Packs the image files into the atlas under their upper-cased file names,
    // replacing entries of the same name, and returns what it placed. On
    // return `paths` is in placement order (largest area first), the order of
    // the result. On failure (an Exception, or std::bad_alloc when memory
    // runs out) the document is as it was.
    std::vector<PlacedEntry> insertFiles(std::vector<std::string>& paths);
    // insertFiles under the names given. Optional files that cannot be read
    // are left out of `files` and reported as skipped; any other failure
    // leaves the document as it was. On return `files` holds the files
    // inserted, in placement order.
    InsertionResult insertNamedFiles(std::vector<ImageFileToInsert>& files);

    // Packs every entry anew, from an empty atlas of width x height, by the
    // rules of insertFiles (the atlas grows as needed), moving its pixels and
    // redrawing its border. Names, sizes, flags and pixels stay; only
    // positions change. Clears the selection. On failure the document is as
    // it was.
    void compact(std::int32_t width, std::int32_t height);
    // compact from the smallest size of the growth sequence 1 x 1, 2 x 1,
    // 2 x 2, 4 x 2, ... that holds every entry without growing, or from the
    // current size when that is no larger and holds them too: an atlas whose
    // entries fit it never grows. Without such a size, from the current one,
    // growing as needed; without entries, nothing changes.
    void compact();

    // False, with nothing changed, for an empty or existing new name or an
    // unknown old name. A selected entry stays selected under its new name.
    // Running out of memory throws std::bad_alloc with nothing changed.
    bool rename(const std::string& oldName, const std::string& newName);
    // Blanks the entry's cell and frees it; an unknown name does nothing.
    void remove(const std::string& name);
    // remove for each name in turn, as one step of the history: running out
    // of memory throws std::bad_alloc with nothing removed.
    void removeEntries(const std::vector<std::string>& names);

    // The history. insertFiles, remove, removeEntries, rename and compact
    // each make one step, when they change something. Undo takes the last
    // step back exactly: entries, every pixel and the size of the atlas, the
    // free space slot for slot, so that later insertions place as if the
    // step had never been made. Redo makes it again. A new step drops the
    // steps that were undone. The modified bits follow: back at the state
    // last saved, the document is unmodified. Opening and creating start an
    // empty history; saving is no step.
    std::optional<AtlasEdit> undoableEdit() const;
    std::optional<AtlasEdit> redoableEdit() const;
    // Nothing to undo or redo does nothing. Everything an undo or redo needs
    // is allocated before the document changes: when it cannot be had, the
    // Exception "Unable to undo" or "Unable to redo" leaves all as it was.
    // The selection stays on its entry while the table has it.
    EntryNameChanges undo();
    EntryNameChanges redo();
    // The history keeps its latest steps within `bytes` of memory (pixels of
    // the cells a step wrote or cleared, the atlas an insertion grew from,
    // the changes of free space, removed entries), dropping the oldest. A
    // step that alone needs more empties the history; the change itself is
    // made all the same. 0 keeps no history.
    void limitHistory(std::size_t bytes);
    // What the history's steps hold now, by the measure of that budget.
    std::size_t historyBytes() const;
    static constexpr std::size_t defaultHistoryBytes = std::size_t{256} << 20;

    const AtlasEntry* find(const std::string& name) const;
    // Selects the entry of that name, or nothing; true if the selection changed.
    bool select(const std::string& name);
    const AtlasEntry* selected() const;
    // Where the selected entry's pixels are in the atlas; nothing when no
    // entry is selected or it does not lie inside the atlas.
    std::optional<PreviewArea> selectedPreviewArea() const;

    bool isModified() const;
    bool isUntitled() const;
    const std::string& indexFileName() const;
    const std::string& imageFileName() const;
    const EntryTable& entries() const;

    // The atlas's size in pixels.
    std::uint32_t width() const;
    std::uint32_t height() const;
    AtlasPixels pixels() const;
    // The free rectangles that hold space (the map keeps used-up ones for reuse).
    std::size_t freeRectangleCount() const;

private:
    class Impl;                     // the document itself (atlasdocument.h)
    friend class FilePairTestSeam;  // filepairtestseam.h, for tests only
    std::unique_ptr<Impl> impl_;
};
