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
// Asks for the atlas image of the index with Open's second dialog, which
// starts in the index's folder with the image of the same name chosen when
// there is one. False when the user cancels.
bool AskForAtlasImage(EditorApp& app, const std::string& indexPath, std::string& imagePath);
// Opens the index with the image of the same name beside it (pairimage.h),
// or, when there is none, the image the user chooses.
void OpenIndex(EditorApp& app, const std::string& indexPath);
// Opens the pair as the document, as Open does once both files are chosen: a
// failure is reported and the document stays as it was.
void OpenPair(EditorApp& app, const std::string& indexPath, const std::string& imagePath);

// Writes the document, asking for both names when it is untitled or saveAs
// is set. True when both files were written; failures are reported.
bool SaveDocument(EditorApp& app, bool saveAs);

// Sets the title to "PXA Editor - [name]", with " *" after it while the
// document is modified.
void UpdateTitle(EditorApp& app, const std::string& name);
