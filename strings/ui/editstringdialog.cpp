#include "editstringdialog.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "dialoglayout.h"
#include "dialogwindows.h"
#include "editorstate.h"
#include "namekey.h"
#include "stringtableeditor_resource.h"

namespace {

// The fields grow with the dialog; the count, the hint and the buttons keep
// to its right and bottom edges.
const AnchoredControl kAnchoredControls[] = {{IDC_STRING_NAME, kStretchRight},
                                             {IDC_STRING_REFERENCE, kStretchRight},
                                             {IDC_STRING_COUNT, kMoveRight},
                                             {IDC_STRING_TEXT, kStretchRight | kStretchDown},
                                             {IDC_STRING_HINT, kMoveDown | kStretchRight},
                                             {IDOK, kMoveRight | kMoveDown},
                                             {IDCANCEL, kMoveRight | kMoveDown}};

struct EditStringRequest {
    const char* oldName;
    const TextUnit* oldText;
    DialogLayout layout;
};

EditStringRequest& RequestOf(HWND dialog) {
    return *reinterpret_cast<EditStringRequest*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// A new value may hold as much as the editor allows; an old one from a file
// may be longer and is kept whole.
std::size_t LimitFor(std::size_t editorLimit, std::size_t oldLength) {
    return oldLength > editorLimit ? oldLength : editorLimit;
}

std::size_t TextLimit(const EditStringRequest& request) {
    return LimitFor(kMostTextUnits, request.oldText ? std::char_traits<TextUnit>::length(request.oldText) : 0);
}

// "12 / 10239": the text's length in characters (UTF-16 units, as the limit
// counts them) against the limit.
void ShowTextCount(HWND dialog) {
    const int length = GetWindowTextLengthW(GetDlgItem(dialog, IDC_STRING_TEXT));
    char count[40];
    std::snprintf(count, sizeof count, "%d / %u", length, static_cast<unsigned>(TextLimit(RequestOf(dialog))));
    SetDlgItemTextA(dialog, IDC_STRING_COUNT, count);
}

RECT RectInDialog(HWND dialog, int id) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Without a reference table its label and field go, and what is below them
// moves up into their place: the dialog as it was before references existed.
void RemoveReferenceField(HWND dialog) {
    const int rise =
        RectInDialog(dialog, IDC_STRING_TEXT_LABEL).top - RectInDialog(dialog, IDC_STRING_REFERENCE_LABEL).top;
    for (int id : {IDC_STRING_REFERENCE_LABEL, IDC_STRING_REFERENCE}) {
        ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
        EnableWindow(GetDlgItem(dialog, id), FALSE);
    }
    for (int id : {IDC_STRING_COUNT, IDC_STRING_TEXT_LABEL, IDC_STRING_TEXT, IDC_STRING_HINT, IDOK, IDCANCEL}) {
        const RECT rect = RectInDialog(dialog, id);
        SetWindowPos(GetDlgItem(dialog, id), nullptr, rect.left, rect.top - rise, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT window = {};
    GetWindowRect(dialog, &window);
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left, window.bottom - window.top - rise,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The reference's text of the name in the name field, as it is typed.
void ShowReferenceText(HWND dialog) {
    if (g_editor.reference == nullptr) {
        return;
    }
    std::vector<char> name(GetWindowTextLengthA(GetDlgItem(dialog, IDC_STRING_NAME)) + 1);
    GetDlgItemTextA(dialog, IDC_STRING_NAME, name.data(), static_cast<int>(name.size()));
    const StringEntry* reference = g_editor.referenceIndex.find(name.data());
    SetDlgItemTextW(dialog, IDC_STRING_REFERENCE, reference != nullptr ? reference->text : L"");
}

void InitializeDialog(HWND dialog, EditStringRequest& request) {
    if (g_editor.reference == nullptr) {
        RemoveReferenceField(dialog);
    }
    CenterOnOwner(dialog);
    request.layout.record(dialog, kAnchoredControls, sizeof(kAnchoredControls) / sizeof(kAnchoredControls[0]));
    // No typing or pasting limit: what the fields hold is what OK stores, or refuses.
    SendDlgItemMessageW(dialog, IDC_STRING_NAME, EM_LIMITTEXT, 0, 0);
    SendDlgItemMessageW(dialog, IDC_STRING_TEXT, EM_LIMITTEXT, 0, 0);
    if (request.oldName != nullptr) {
        SetDlgItemTextA(dialog, IDC_STRING_NAME, request.oldName);
    }
    if (request.oldText != nullptr) {
        SetDlgItemTextW(dialog, IDC_STRING_TEXT, request.oldText);
    }
    ShowReferenceText(dialog);
    ShowTextCount(dialog);
    // Editing usually means changing the text; inserting starts with the name.
    SetFocus(GetDlgItem(dialog, request.oldName != nullptr ? IDC_STRING_TEXT : IDC_STRING_NAME));
}

bool NameBelongsToAnotherEntry(const EditStringRequest& request, const char* name) {
    if (request.oldName != nullptr && CompareNamesIgnoringCase(request.oldName, name) == 0) {
        return false;  // the entry keeps its own name, perhaps in another letter case
    }
    return g_editor.table != nullptr && StringTableNameExists(*g_editor.table, name);
}

void ShowError(HWND dialog, const char* text) { g_editor.ui.messageBox(dialog, text, "Error", MB_OK | MB_ICONERROR); }

// A field's whole text. The length a window reports may exceed the text (for
// ANSI text of a Unicode control), never fall short of it.
std::string NameField(HWND dialog) {
    std::vector<char> name(GetWindowTextLengthA(GetDlgItem(dialog, IDC_STRING_NAME)) + 1);
    GetDlgItemTextA(dialog, IDC_STRING_NAME, name.data(), static_cast<int>(name.size()));
    return name.data();
}

std::basic_string<TextUnit> TextField(HWND dialog) {
    std::vector<TextUnit> text(GetWindowTextLengthW(GetDlgItem(dialog, IDC_STRING_TEXT)) + 1);
    GetDlgItemTextW(dialog, IDC_STRING_TEXT, text.data(), static_cast<int>(text.size()));
    return text.data();
}

// Nothing is ever cut: a value over its limit is refused and stays in its field.
bool FitsLimits(HWND dialog, const EditStringRequest& request, const std::string& name,
                const std::basic_string<TextUnit>& text) {
    const std::size_t nameLimit = LimitFor(kMostNameBytes, request.oldName ? std::strlen(request.oldName) : 0);
    const std::size_t textLimit = TextLimit(request);
    char message[100];
    if (name.size() > nameLimit) {
        std::snprintf(message, sizeof message, "The name is too long: it may have at most %u bytes.",
                      static_cast<unsigned>(nameLimit));
    } else if (text.size() > textLimit) {
        std::snprintf(message, sizeof message, "The text is too long: it may have at most %u characters.",
                      static_cast<unsigned>(textLimit));
    } else {
        return true;
    }
    ShowError(dialog, message);
    return false;
}

void AcceptDialog(HWND dialog) {
    const EditStringRequest& request = RequestOf(dialog);
    std::string name = NameField(dialog);
    std::basic_string<TextUnit> text = TextField(dialog);
    if (name.empty()) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    if (!FitsLimits(dialog, request, name, text)) {
        return;
    }
    if (NameBelongsToAnotherEntry(request, name.c_str())) {
        ShowError(dialog, "String with this name already exists!");
        return;
    }
    g_editor.nameBuffer = std::move(name);
    g_editor.textBuffer = std::move(text);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK EditStringDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        InitializeDialog(dialog, *reinterpret_cast<EditStringRequest*>(lParam));
        return FALSE;  // the focus is set already
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            // Reading the fields needs memory; nothing may be thrown through the system's code.
            try {
                AcceptDialog(dialog);
            } catch (const std::bad_alloc&) {
                ShowError(dialog, "There is not enough memory to store the string.");
            }
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        if (LOWORD(wParam) == IDC_STRING_TEXT && HIWORD(wParam) == EN_CHANGE) {
            ShowTextCount(dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDC_STRING_NAME && HIWORD(wParam) == EN_CHANGE) {
            try {
                ShowReferenceText(dialog);
            } catch (const std::bad_alloc&) {
                SetDlgItemTextW(dialog, IDC_STRING_REFERENCE, L"");
            }
            return TRUE;
        }
        break;
    case WM_SIZE:
        if (GetWindowLongPtrW(dialog, DWLP_USER) != 0) {
            RequestOf(dialog).layout.apply(dialog);
        }
        return TRUE;
    case WM_GETMINMAXINFO:
        if (GetWindowLongPtrW(dialog, DWLP_USER) != 0) {
            RequestOf(dialog).layout.limitSize(dialog, *reinterpret_cast<MINMAXINFO*>(lParam));
        }
        return TRUE;
    case WM_CLOSE: EndDialog(dialog, IDCANCEL); return TRUE;
    }
    return FALSE;
}

}  // namespace

bool EditStringDialog(HWND owner, const char* oldName, const TextUnit* oldText) {
    g_editor.nameBuffer.clear();
    g_editor.textBuffer.clear();
    EditStringRequest request{oldName, oldText, DialogLayout()};
    // The wide call makes the dialog's edit controls Unicode windows, so the
    // text field holds any UTF-16 text; an ANSI dialog would squeeze it through
    // the code page. The name is still read and written as ANSI.
    const INT_PTR result = MessageFontDialogBox(g_editor.instance, IDD_EDIT_STRING, owner, EditStringDialogProc,
                                                reinterpret_cast<LPARAM>(&request));
    return result == IDOK;
}
