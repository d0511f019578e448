#include "editorstate.h"

EditorState g_editor;

void ResetEditorState() {
    g_editor.table.reset();
    g_editor.instance = nullptr;
    g_editor.mainWindow = nullptr;
    g_editor.statusBar = nullptr;
    g_editor.accelerators = nullptr;
    g_editor.entryList = EntryList();
    g_editor.referenceIndex.clear();
    g_editor.reference.reset();
    g_editor.referencePath.clear();
    g_editor.currentPath[0] = '\0';
    g_editor.documentName[0] = '\0';
    g_editor.versions = DocumentVersions();
    g_editor.dpi = 96;
    g_editor.font = UniqueFont();
    g_editor.statusUpdatePending = false;
    g_editor.settings = SettingsStore();
    g_editor.recentFiles = RecentFiles();
    g_editor.recentFilesMenu = RecentFilesMenu();
    g_editor.openFolder.clear();
    g_editor.saveFolder.clear();
    g_editor.importFolder.clear();
    g_editor.exportFolder.clear();
    g_editor.nameBuffer.clear();
    g_editor.textBuffer.clear();
    g_editor.ui = SystemModalUi();
    g_editor.findText[0] = 0;
    g_editor.findScope = FindScope::Both;
}
