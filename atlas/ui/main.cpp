// Entry point of PXAEditor. "PXAEditor.exe INDEX IMAGE" opens that pair,
// "PXAEditor.exe INDEX" that index with the image of the same name beside it.
#include <windows.h>

#include "commandline.h"
#include "editor.h"
#include "editorsettings.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return RunEditor(instance, SystemModalUi(), CommandLineArguments(GetCommandLineA()), editorSettingsKey);
}
