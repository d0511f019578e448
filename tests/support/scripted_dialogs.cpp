#include "scripted_dialogs.h"

#include <algorithm>
#include <iterator>

namespace {

ScriptedDialogs* g_script = nullptr;

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

BOOL scriptedFileDialog(bool save, OPENFILENAMEA* dialog) {
    ScriptedDialogs& script = *g_script;
    script.fileDialogs.push_back(
        {save, dialog->lStructSize, dialog->hwndOwner, dialog->hInstance, filterBytes(dialog->lpstrFilter),
         dialog->nFilterIndex, dialog->lpstrFile ? dialog->lpstrFile : "", dialog->nMaxFile,
         dialog->lpstrDefExt != nullptr, dialog->lpstrDefExt ? dialog->lpstrDefExt : "", dialog->Flags,
         dialog->lpstrTitle != nullptr || dialog->lpstrInitialDir != nullptr || dialog->lpstrCustomFilter != nullptr,
         dialog->lpstrInitialDir ? dialog->lpstrInitialDir : ""});
    if (script.fileAnswers.empty()) {
        ++script.unansweredDialogs;
        script.lastFileDialogError = 0;
        return FALSE;
    }
    const FileDialogAnswer answer = script.fileAnswers.front();
    script.fileAnswers.pop_front();
    script.lastFileDialogError = answer.error;
    if (answer.file.empty() || answer.file.size() + 1 > dialog->nMaxFile) {
        return FALSE;
    }
    // A multi-select list ends in two zeros; a single path may fill the buffer.
    std::copy(answer.file.begin(), answer.file.end(), dialog->lpstrFile);
    dialog->lpstrFile[answer.file.size()] = '\0';
    if (answer.file.size() + 1 < dialog->nMaxFile) {
        dialog->lpstrFile[answer.file.size() + 1] = '\0';
    }
    if (answer.filterIndex != 0) {
        dialog->nFilterIndex = answer.filterIndex;
    }
    return TRUE;
}

std::vector<FileDialogCall> callsOf(const std::vector<FileDialogCall>& calls, bool save) {
    std::vector<FileDialogCall> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [save](const FileDialogCall& call) { return call.save == save; });
    return found;
}

}  // namespace

std::vector<std::string> ScriptedDialogs::messageBoxTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxCall& call : messageBoxes) {
        texts.push_back(call.text);
    }
    return texts;
}

std::vector<FileDialogCall> ScriptedDialogs::openCalls() const { return callsOf(fileDialogs, false); }
std::vector<FileDialogCall> ScriptedDialogs::saveCalls() const { return callsOf(fileDialogs, true); }

void AnswerDialogsFrom(ScriptedDialogs& script) { g_script = &script; }

int ScriptedMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    ScriptedDialogs& script = *g_script;
    script.messageBoxes.push_back({owner, text ? text : "", caption != nullptr, caption ? caption : "", type});
    if (script.messageBoxAnswers.empty()) {
        const UINT buttons = type & MB_TYPEMASK;
        return buttons == MB_OK ? IDOK : IDCANCEL;
    }
    const int answer = script.messageBoxAnswers.front();
    script.messageBoxAnswers.pop_front();
    return answer;
}

BOOL ScriptedOpenFileDialog(OPENFILENAMEA* dialog) { return scriptedFileDialog(false, dialog); }
BOOL ScriptedSaveFileDialog(OPENFILENAMEA* dialog) { return scriptedFileDialog(true, dialog); }
DWORD ScriptedFileDialogError() { return g_script->lastFileDialogError; }
