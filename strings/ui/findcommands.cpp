#include "findcommands.h"

#include "editorstate.h"
#include "entrylist.h"
#include "entrysearch.h"
#include "waitcursor.h"

namespace {

// Room for the piece in any code page: UTF-8 takes up to 3 bytes a unit.
constexpr int kNamePieceSize = 3 * kFindBufferSize;

// The piece as the names hold text, in the ANSI code page. False when that
// code page lacks some of its characters: then no name can hold it.
bool NamePiece(const TextUnit* text, char (&piece)[kNamePieceSize]) {
    // With UTF-8 as the code page the call refuses to report replacements.
    const bool utf8 = GetACP() == CP_UTF8;
    BOOL replaced = FALSE;
    const int written = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, text, -1, piece, sizeof(piece),
                                            nullptr, utf8 ? nullptr : &replaced);
    return written > 0 && !replaced;
}

// From the row after the focused one (the first without one) round to the
// focused row itself. The found row becomes the only selected one.
void FindNext() {
    EntryList& list = g_editor.entryList;
    char namePiece[kNamePieceSize];
    const bool inNames = g_editor.findScope != FindScope::Texts && NamePiece(g_editor.findText, namePiece);
    const EntryQuery query{inNames ? namePiece : nullptr,
                           g_editor.findScope != FindScope::Names ? g_editor.findText : nullptr};
    const size_t start = static_cast<size_t>(EntryListFocusedRow(list) + 1);
    size_t found;
    {
        WaitCursor wait;
        found = FindEntry(list.rows.data(), list.rows.size(), start, query);
    }
    if (found == list.rows.size()) {
        g_editor.ui.messageBox(g_editor.mainWindow, "Not found", "Find", MB_OK | MB_ICONINFORMATION);
        return;
    }
    EntryListSelectOnly(list, static_cast<int>(found));
}

}  // namespace

void FindCommand() {
    if (g_editor.table != nullptr && g_editor.ui.find(g_editor.mainWindow)) {
        FindNext();
    }
}

void FindNextCommand() {
    if (g_editor.table == nullptr) {
        return;
    }
    if (g_editor.findText[0] == 0) {
        FindCommand();
        return;
    }
    FindNext();
}
