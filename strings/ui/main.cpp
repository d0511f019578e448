// Entry point of StringTableEditor.
#include <windows.h>

#include "mainwindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  HWND mainWindow = CreateMainWindow(instance);
  if (mainWindow == nullptr) {
    MessageBoxA(nullptr, "Unable to create main window", nullptr, MB_OK);
    return 0;
  }
  ShowWindow(mainWindow, SW_SHOW);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DestroyWindow(mainWindow);
  return 0;
}
