// The Edit menu's commands on entries, and the in-place rename.
#pragma once

#include <set>
#include <string>
#include <vector>

struct EditorApp;

// Asks for image files and packs them into the atlas, asking before an entry
// of the same name is replaced; the last new item is selected and focused.
void InsertFilesCommand(EditorApp& app);
// Insert File(s) once the paths are chosen: the same questions, list update
// and error messages, whoever chose the files. Files among `skippable` that
// cannot be read are left out, and the user is told which and why.
void InsertFilePaths(EditorApp& app, const std::vector<std::string>& chosen,
                     const std::set<std::string>& skippable = std::set<std::string>());

// Writes the selected entries, named as they are, into a chosen folder,
// asking before a file there is replaced. Names that cannot be file names
// are not written, and the user is told which.
void ExtractFilesCommand(EditorApp& app);

// Removes the selected entries, without asking.
void DeleteFilesCommand(EditorApp& app);

// Opens the in-place editor on the first selected item.
void StartRenameCommand(EditorApp& app);

// The end of an in-place edit: renames the item's entry to the text in upper
// case, or leaves everything as it was when the document refuses the name.
void RenameFromLabel(EditorApp& app, const std::string& text, int item);

void SelectAllCommand(EditorApp& app);

// Shows the focused item's entry; hides the preview and clears its numbers
// when the document has no selected entry left.
void RefreshPreview(EditorApp& app);
