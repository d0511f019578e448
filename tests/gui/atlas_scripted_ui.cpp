#include "atlas_scripted_ui.h"

namespace {

ScriptedUi script;

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

}  // namespace

ScriptedUi& Script() { return script; }

void ResetScript() {
    script = ScriptedUi();
    AnswerDialogsFrom(script);
}

ModalUi ScriptedModalUi() {
    return {ScriptedMessageBox,      ScriptedOpenFileDialog,  ScriptedSaveFileDialog,
            ScriptedFileDialogError, scriptedBrowseForFolder, scriptedContextMenu};
}
