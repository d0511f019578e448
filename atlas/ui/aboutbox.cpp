#include "aboutbox.h"

#include <windows.h>

#include <FreeImage.h>

#include "editorapp.h"

std::string AboutText() {
    return std::string("PXA Editor, version 1.1.\n") + "Edits texture atlases and their index files.\n\n" +
           FreeImage_GetCopyrightMessage() + "\n\nFreeImage version: " + FreeImage_GetVersion();
}

void AboutCommand(const EditorApp& app) {
    app.ui.messageBox(app.mainWindow, AboutText().c_str(), "About", MB_ICONINFORMATION);
}
