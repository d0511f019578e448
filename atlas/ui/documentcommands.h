// The File menu: New, Open, Save, Save as, and the prompt that protects
// unsaved changes before a document is dropped.
#pragma once

#include <string>

struct EditorApp;

// True when the caller may drop the document: it is unchanged, or the user
// saved it or chose not to.
bool ConfirmDiscard(EditorApp& app);

// After the prompt, replaces the document with a new untitled 256 x 256 one.
// Throws Exception when the new atlas cannot be had; the old document is
// then still there.
void NewDocument(EditorApp& app);
// The New command: NewDocument, reporting a failure in a message box.
void NewCommand(EditorApp& app);

// Drops the document and resets the list, preview, title and entry commands.
void DiscardDocument(EditorApp& app);

// Asks for an index file and an atlas image and opens them as the document.
void OpenDocument(EditorApp& app);
// Opens the pair as the document, as Open does once both files are chosen: a
// failure is reported and the document stays as it was.
void OpenPair(EditorApp& app, const std::string& indexPath, const std::string& imagePath);

// Writes the document, asking for both names when it is untitled or saveAs
// is set. True when both files were written; failures are reported.
bool SaveDocument(EditorApp& app, bool saveAs);

// Sets the title to "PXA Editor - [name]".
void UpdateTitle(EditorApp& app, const std::string& name);
