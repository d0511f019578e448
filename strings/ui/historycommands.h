// Edit -> Undo and Edit -> Redo: the table takes a step back or makes it
// again, and the list, the title and the menu follow.
#pragma once

struct StringStepEffect;

void UndoCommand();
void RedoCommand();

// Brings the list and the title in line with a step the table has just
// taken back or made again: rows go, come or move as `effect` says, and
// the rows it names become the selection. For any command that replays a
// step of the history.
void ShowStepEffect(const StringStepEffect& effect);

// Undo and Redo name the step they would take ("Undo Edit") and are greyed
// without one or without an open table.
void UpdateHistoryCommands();
