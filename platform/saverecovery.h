// Settling a save that its process did not live to end: whoever opens a
// document's files first finds the journal of such a save (savejournal.h)
// and finishes the save or undoes it, so that the files on the disk are
// exactly the old ones or exactly the new ones, then removes every file the
// save left behind.
#pragma once

#include <string>
#include <vector>

enum class RecoveryOutcome {
    NothingFound,  // no journal of a save of the file
    Completed,     // the save was finished: every target has its new file
    RolledBack,    // the save was undone, or had not replaced anything yet: every target has its old file
    Cleaned,       // the save had ended; files it could not remove were removed now
    Busy,          // the save still runs, in another process; nothing was touched
    Damaged,       // the journal cannot be trusted; it and every file are left as they are
    Unsettled,     // a file could not be moved; the journal stays for the next try
};

struct RecoveryReport {
    RecoveryOutcome outcome = RecoveryOutcome::NothingFound;
    std::string journal;                 // its path; empty when none was found
    std::vector<std::string> leftovers;  // files of the save that could not be removed
};

// Settles the save whose first target was `target`, if its journal is there.
// A save that had put any file in place is finished, unless a file cannot be
// moved, when it is undone; a save that had not is undone. A damaged journal
// changes nothing.
RecoveryReport RecoverSave(const std::string& target);

// What the user should be told of a report, about the file it was found
// for; empty when nothing.
std::string RecoveryNote(const RecoveryReport& report);

// RecoverSave of each of a document's files, and the notes for the user.
struct RecoveryNotice {
    std::string file;
    std::string note;
};
std::vector<RecoveryNotice> RecoverSavesOf(const std::vector<std::string>& files);
