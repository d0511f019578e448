#include "documentstatus.h"

#include <commctrl.h>

#include <cstdio>
#include <new>

#include "dpi.h"
#include "editmenu.h"
#include "editorapp.h"
#include "exceptions.h"
#include "usedarea.h"

namespace {

enum StatusPart { EntriesPart, SelectedPart, SizePart, UsedPart, PartCount };

// Each part's width at 96 DPI; the last one takes what is left.
const int partWidths[PartCount - 1] = {110, 100, 120};

const std::size_t markLength = 2;

bool endsWithMark(const std::string& title) {
    return title.size() >= markLength && title.compare(title.size() - markLength, markLength, modifiedMark) == 0;
}

// The title as it is, with " *" after it exactly while the document is
// modified; the window is touched only when that changes.
void showModifiedMark(const EditorApp& app) {
    const bool modified = app.document && app.document->isModified();
    std::string title = TextOfWindow(app.mainWindow);
    if (endsWithMark(title) == modified) {
        return;
    }
    if (modified) {
        title += modifiedMark;
    } else {
        title.resize(title.size() - markLength);
    }
    SetWindowTextA(app.mainWindow, title.c_str());
}

void setPartText(const EditorApp& app, int part) {
    SendMessageA(app.statusBar, SB_SETTEXTA, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(StatusText(app, part).c_str()));
}

}  // namespace

const char modifiedMark[] = " *";

std::string TextOfWindow(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

void CreateStatusBar(EditorApp& app) {
    app.statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                    app.mainWindow, nullptr, app.instance, nullptr);
    if (app.statusBar == nullptr) {
        THROW_AT_SITE(Exception, "Unable to create main window");
    }
}

void SetStatusBarParts(const EditorApp& app) {
    int rightEdges[PartCount] = {};
    int right = 0;
    for (int part = 0; part < PartCount - 1; ++part) {
        right += ScaleForDpi(partWidths[part], app.dpi);
        rightEdges[part] = right;
    }
    rightEdges[PartCount - 1] = -1;
    SendMessageA(app.statusBar, SB_SETPARTS, PartCount, reinterpret_cast<LPARAM>(rightEdges));
}

void RefreshDocumentStatus(EditorApp& app) {
    UpdateEntryCommands(app);
    UpdateHistoryCommands(app);
    // Without the memory for the texts, the old ones stay until the next time.
    try {
        showModifiedMark(app);
        for (int part = 0; part < PartCount; ++part) {
            setPartText(app, part);
        }
    } catch (const std::bad_alloc&) {
    }
}

void OnSelectionChanged(EditorApp& app) {
    UpdateEntryCommands(app);
    if (!app.selectionStatusPending) {
        app.selectionStatusPending = PostMessageA(app.mainWindow, selectionStatusMessage, 0, 0) != FALSE;
    }
}

void RefreshSelectionStatus(EditorApp& app) {
    app.selectionStatusPending = false;
    try {
        setPartText(app, SelectedPart);
    } catch (const std::bad_alloc&) {
    }
}

std::string StatusText(const EditorApp& app, int part) {
    char text[64] = "";
    const FilePair* document = app.document.get();
    switch (part) {
    case EntriesPart:
        if (document != nullptr) {
            const std::size_t entries = document->entries().size();
            std::snprintf(text, sizeof(text), "%lu %s", static_cast<unsigned long>(entries),
                          entries == 1 ? "entry" : "entries");
        }
        break;
    case SelectedPart:
        std::snprintf(text, sizeof(text), "%ld selected",
                      static_cast<long>(SendMessageA(app.entryList, LVM_GETSELECTEDCOUNT, 0, 0)));
        break;
    case SizePart:
        if (document != nullptr) {
            std::snprintf(text, sizeof(text), "%lu x %lu pixels", static_cast<unsigned long>(document->width()),
                          static_cast<unsigned long>(document->height()));
        }
        break;
    case UsedPart:
        if (document != nullptr) {
            std::snprintf(text, sizeof(text), "%.1f %% used", usedAreaPercent(*document));
        }
        break;
    default: break;
    }
    return text;
}
