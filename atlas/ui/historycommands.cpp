#include "historycommands.h"

#include <windows.h>

#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "editorapp.h"
#include "entrycommands.h"
#include "entrylist.h"
#include "exceptions.h"
#include "memoryreserve.h"
#include "waitcursor.h"

namespace {

// Undo and redo differ only in the direction they replay a step.
template <typename Replay>
void replayCommand(EditorApp& app, Replay replay) {
    if (!app.document) {
        return;
    }
    EntryNameChanges changes;
    try {
        WaitCursor wait;
        changes = replay(*app.document);
    } catch (const Exception& e) {
        app.ui.messageBox(app.mainWindow, e.message.c_str(), nullptr, MB_ICONERROR);
        return;
    }
    ShowReplayedStep(app, changes);
}

std::vector<std::string> entryNames(const FilePair& document) {
    std::vector<std::string> names;
    names.reserve(document.entries().size());
    for (const auto& entry : document.entries()) {
        names.push_back(entry.first);
    }
    return names;
}

}  // namespace

void UndoCommand(EditorApp& app) {
    replayCommand(app, [](FilePair& document) { return document.undo(); });
}

void RedoCommand(EditorApp& app) {
    replayCommand(app, [](FilePair& document) { return document.redo(); });
}

void ShowReplayedStep(EditorApp& app, const EntryNameChanges& changes) {
    const MemoryReserve::Spending finishing;
    WaitCursor wait;
    int last = -1;
    {
        ListHiddenForBulkChange hidden(app.entryList);
        RemoveListItems(app.entryList, std::set<std::string>(changes.removed.begin(), changes.removed.end()));
        if (!changes.added.empty()) {
            SetListItemsState(app.entryList, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
            AddListItems(app.entryList, changes.added);
        }
        // A compaction keeps every name, and a failed command may have left
        // the list behind: the count tells whether it still matches.
        const std::size_t items = static_cast<std::size_t>(SendMessageA(app.entryList, LVM_GETITEMCOUNT, 0, 0));
        if (items != app.document->entries().size()) {
            FillList(app.entryList, entryNames(*app.document));
        }
        if (!changes.added.empty()) {
            last = SelectListItems(app.entryList, std::set<std::string>(changes.added.begin(), changes.added.end()));
        }
        if (last != -1) {
            SetListItemsState(app.entryList, last, LVIS_FOCUSED, LVIS_FOCUSED);
        }
    }
    if (last != -1) {
        SendMessageA(app.entryList, LVM_ENSUREVISIBLE, static_cast<WPARAM>(last), FALSE);
    }
    RefreshPreview(app);
}
