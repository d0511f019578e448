// Entry point of StringTableEditor. "StringTableEditor.exe FILE.DAT" opens
// that table.
#include <windows.h>

#include "commandline.h"
#include "documentcommands.h"
#include "editorsettings.h"
#include "mainwindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (!StartEditor(instance, showCommand, SystemModalUi(), SettingsStore(kSettingsKey))) {
        return 1;
    }
    OpenFirstTable(CommandLineArguments(GetCommandLineA()));
    RunMessageLoop();
    ShutdownEditor();
    return 0;
}
