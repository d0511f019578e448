// How the main window runs a command of the user's: whatever it did, the
// title, the entry commands and the status bar follow the document
// afterwards, and running out of memory is a message, not the end of the
// program (see memoryreserve.h for how the document stays whole).
#pragma once

#include <new>

struct EditorApp;

// Tells the user that memory ran out. When the command had already changed
// the document, the list is filled again from it if it fell behind.
void ReportOutOfMemory(EditorApp& app);

// The memory reserve is set aside (again) for the command to come.
void StartCommand(EditorApp& app);
// The title, the entry commands and the status bar follow the document.
void FinishCommand(EditorApp& app);

template <typename Command>
void RunCommand(EditorApp& app, Command&& command) {
    StartCommand(app);
    try {
        command();
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(app);
    }
    FinishCommand(app);
}
