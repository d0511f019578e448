// Edit -> Undo and Edit -> Redo: the document takes a step back or makes it
// again, and the window follows.
#pragma once

struct EditorApp;
struct EntryNameChanges;

void UndoCommand(EditorApp& app);
void RedoCommand(EditorApp& app);

// After the document has taken or made a step again: the list loses the
// items of `changes.removed` and gains those of `changes.added`, which are
// then the selection, the last of them focused and in view; the preview
// follows the focused item. A list that no longer matches the document's
// entries is filled again from it.
void ShowReplayedStep(EditorApp& app, const EntryNameChanges& changes);
