#include "commandrun.h"

#include <windows.h>

#include <commctrl.h>

#include "documentstatus.h"
#include "editorapp.h"
#include "entrycommands.h"
#include "entrylist.h"
#include "renderer.h"

namespace {

const char notChanged[] = "There is not enough memory to complete the command. The document has not been changed.";
const char notShown[] =
    "The command has been carried out, but there is not enough memory to show all of its result. "
    "Save your work and close other programs.";

// The list holds one item per entry unless a command failed while changing it.
void showEntriesAgain(EditorApp& app) {
    const std::size_t items = static_cast<std::size_t>(SendMessageA(app.entryList, LVM_GETITEMCOUNT, 0, 0));
    if (!app.document || items == app.document->entries().size()) {
        return;
    }
    std::vector<std::string> names;
    for (const auto& entry : app.document->entries()) {
        names.push_back(entry.first);
    }
    FillList(app.entryList, names);
    RefreshPreview(app);
}

}  // namespace

void ReportOutOfMemory(EditorApp& app) {
    const bool changed = MemoryReserve::changeBegun();
    try {
        app.ui.messageBox(app.mainWindow, changed ? notShown : notChanged, nullptr, MB_ICONERROR);
        if (changed) {
            showEntriesAgain(app);
        }
    } catch (const std::bad_alloc&) {
        // Nothing more can be done until memory is given back.
    }
}

void StartCommand(EditorApp& app) { app.memoryReserve.replenish(); }

// Showing what the command left is paid from the reserve when memory is short.
void FinishCommand(EditorApp& app) {
    const MemoryReserve::Spending showing;
    RefreshDocumentStatus(app);
    RefreshPicture(app);
}
