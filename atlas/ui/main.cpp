// Entry point of PXAEditor. The command line is accepted and not used.
#include <windows.h>

#include "editor.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunEditor(instance, SystemModalUi()); }
