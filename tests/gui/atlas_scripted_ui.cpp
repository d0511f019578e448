#include "atlas_scripted_ui.h"

namespace {

ScriptedUi script;

std::string filterBytes(const char* filter) {
    std::string bytes;
    if (filter == nullptr) {
        return bytes;
    }
    // Strings up to the empty one that ends the list.
    for (;;) {
        const std::string piece(filter);
        bytes.append(piece).push_back('\0');
        filter += piece.size() + 1;
        if (piece.empty()) {
            return bytes;
        }
    }
}

int scriptedMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    script.messageBoxes.push_back({owner, text, caption != nullptr, caption ? caption : "", type});
    if (script.messageBoxAnswers.empty()) {
        const UINT buttons = type & MB_TYPEMASK;
        return buttons == MB_OK ? IDOK : IDCANCEL;
    }
    const int answer = script.messageBoxAnswers.front();
    script.messageBoxAnswers.pop_front();
    return answer;
}

BOOL scriptedFileDialog(bool save, OPENFILENAMEA* dialog) {
    script.fileDialogs.push_back({save, dialog->lStructSize, dialog->hwndOwner, dialog->hInstance,
                                  filterBytes(dialog->lpstrFilter), dialog->nFilterIndex, dialog->lpstrFile,
                                  dialog->nMaxFile, dialog->lpstrDefExt != nullptr,
                                  dialog->lpstrDefExt ? dialog->lpstrDefExt : "", dialog->Flags,
                                  dialog->lpstrTitle != nullptr || dialog->lpstrInitialDir != nullptr ||
                                      dialog->lpstrCustomFilter != nullptr});
    if (script.fileAnswers.empty()) {
        ++script.unansweredDialogs;
        script.lastFileDialogError = 0;
        return FALSE;
    }
    const FileDialogAnswer answer = script.fileAnswers.front();
    script.fileAnswers.pop_front();
    script.lastFileDialogError = answer.error;
    if (answer.file.empty() || answer.file.size() + 2 > dialog->nMaxFile) {
        return FALSE;
    }
    std::copy(answer.file.begin(), answer.file.end(), dialog->lpstrFile);
    dialog->lpstrFile[answer.file.size()] = '\0';
    dialog->lpstrFile[answer.file.size() + 1] = '\0';
    if (answer.filterIndex != 0) {
        dialog->nFilterIndex = answer.filterIndex;
    }
    return TRUE;
}

BOOL scriptedOpenFileDialog(OPENFILENAMEA* dialog) { return scriptedFileDialog(false, dialog); }
BOOL scriptedSaveFileDialog(OPENFILENAMEA* dialog) { return scriptedFileDialog(true, dialog); }
DWORD scriptedFileDialogError() { return script.lastFileDialogError; }

bool scriptedBrowseForFolder(HWND, const char* title, std::string& folder) {
    script.folderTitles.push_back(title);
    if (script.folderAnswers.empty()) {
        ++script.unansweredDialogs;
        return false;
    }
    const FolderAnswer answer = script.folderAnswers.front();
    script.folderAnswers.pop_front();
    folder = answer.folder;
    return answer.chosen;
}

void scriptedContextMenu(HMENU popup, int, int, HWND owner) {
    script.contextMenus.push_back({popup, owner});
    if (script.contextMenuChoice != 0) {
        SendMessageA(owner, WM_COMMAND, MAKEWPARAM(script.contextMenuChoice, 0), 0);
    }
}

} // namespace

std::vector<std::string> ScriptedUi::messageBoxTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxCall& call : messageBoxes) {
        texts.push_back(call.text);
    }
    return texts;
}

ScriptedUi& Script() { return script; }

void ResetScript() { script = ScriptedUi(); }

ModalUi ScriptedModalUi() {
    return {scriptedMessageBox,      scriptedOpenFileDialog,  scriptedSaveFileDialog,
            scriptedFileDialogError, scriptedBrowseForFolder, scriptedContextMenu};
}
