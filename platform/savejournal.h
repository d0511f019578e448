// The journal of a save: a small file beside the save's first target that
// tells, should the process end in the middle of the save, which files the
// save made and how far it went, so that whoever opens the target next can
// finish the save or undo it (saverecovery.h).
//
// The file is a magic string followed by records, each written in one call
// before the step it announces and checked by a CRC-32: a kind, a payload
// length, the payload and the checksum. Names are recorded before the file of
// that name is made, so that no file of the save is unknown to the journal;
// a name found taken is withdrawn by the next record.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "rawfile.h"

// What a reserved name is for: the new content of a target, or the target's
// old file kept while the save may still need to put it back.
enum class JournalRole : char { Staged = 'S', Old = 'O' };

// How far a save went, as its journal records it.
enum class JournalStage : char {
    Staging = 0,    // files are being made and written; no target has been touched
    Placing = 'P',  // every staged file is complete and flushed; targets may be replaced from now on
    Undoing = 'U',  // a failure is being undone: targets already replaced get their old files back
    Undone = 'R',   // every target has its old file again; only the save's own files are left
    Done = 'D',     // every target has its new file; old files that could not be removed are left
};

struct JournalName {
    std::size_t target;
    JournalRole role;
    std::string name;
};

// What a journal says.
struct JournalContent {
    // Per target: its folder, empty for the journal's own folder, and its name.
    std::vector<std::string> folders;
    std::vector<std::string> names;
    std::vector<JournalName> files;  // the names reserved and not withdrawn, in order
    JournalStage stage = JournalStage::Staging;
};

// The records, as written; the start record opens the file with its magic.
std::string JournalStartRecord(const std::vector<std::string>& folders, const std::vector<std::string>& names);
std::string JournalNameRecord(std::size_t target, JournalRole role, const std::string& name);
std::string JournalWithdrawRecord();
std::string JournalStageRecord(JournalStage stage);

enum class JournalReadResult { Read, NotAJournal, Damaged };

// Reads a whole journal. A file that does not start as a journal starts is
// not one; a journal with any record cut short, failing its checksum or out
// of order is damaged, and nothing it says can be trusted.
JournalReadResult DecodeJournal(const std::string& bytes, JournalContent& content);

// The journal of one save in progress, held open (RawFileCreateHeld) from
// start() to its end, so that no other process takes the save for an
// interrupted one.
class SaveJournal {
public:
    enum class Start { Started, Taken, Failed };

    SaveJournal() = default;
    ~SaveJournal();
    SaveJournal(const SaveJournal&) = delete;
    SaveJournal& operator=(const SaveJournal&) = delete;

    // Creates the journal of a save of `targets` beside the first. Taken: a
    // file of the journal's name exists.
    Start start(const std::vector<std::string>& targets);
    bool isActive() const { return file_.handle ? true : false; }

    // Each writes one record when the journal is active and is true
    // otherwise; false when the record could not be written. A flushed
    // record is on the disk before the call returns.
    bool recordName(std::size_t target, JournalRole role, const std::string& name);
    bool withdrawName();
    bool recordStage(JournalStage stage, bool flush);

    // Removes the journal (or, with `keep`, lets go of it so that the next
    // opening of the target finds it). False when it could not be removed.
    bool finish(bool keep);

private:
    bool append(const std::string& record, bool flush);

    std::string path_;
    RawFile file_;
};
