// Entry point of StringTableEditor. The command line is accepted and ignored.
#include <windows.h>

#include "mainwindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  if (!StartEditor(instance, showCommand, SystemModalUi())) {
    return 1;
  }
  RunMessageLoop();
  ShutdownEditor();
  return 0;
}
