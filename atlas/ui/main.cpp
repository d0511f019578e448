// Entry point of PXAEditor. "PXAEditor.exe INDEX IMAGE" opens that pair.
#include <windows.h>

#include "commandline.h"
#include "editor.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return RunEditor(instance, SystemModalUi(), CommandLineArguments(GetCommandLineA()));
}
