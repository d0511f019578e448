// A translator's commands: the reference table shown beside the document,
// the view of the untranslated strings, and Import and Export of the
// exchange files (CSV, JSON, PO) by the same code as dattool's.
#pragma once

// Opens a table read-only as the reference, replacing one open before, and
// shows its texts in the Reference column. The reference is never written.
void OpenReferenceCommand();
void CloseReferenceCommand();
// Shows only the untranslated strings (EntryIsUntranslated), or all again.
void UntranslatedOnlyCommand();

// Replaces the document's strings by those of a chosen file as dattool
// import does (fuzzy and untranslated rows keep the document's text), as
// one change. A file that cannot be read or has rows the editor would refuse
// is reported, naming the file and the rows, and changes nothing.
void ImportCommand();
// Writes the document to a chosen file as dattool export does: with the
// reference as the source texts while one is open (a .pot: the reference's
// template). A PO translation takes its language from its file name (de.po).
void ExportCommand();

// Enables or greys Close Reference, and checks Untranslated Only as they apply.
void UpdateTranslationMenu();
