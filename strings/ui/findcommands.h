// Find and Find Next: the next row whose name or text holds a piece of text.
#pragma once

// Asks what to find and where (the Find dialog), then finds it.
void FindCommand();
// Finds the last search again from the row after the focused one; with no
// search yet, it is Find.
void FindNextCommand();
