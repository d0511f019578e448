// A main window's place on the screen, remembered between runs: its restored
// rectangle and whether it was maximised.
#pragma once

#include <windows.h>

#include "settingsstore.h"

// Keeps where `window` is now under the value `name`.
void SaveWindowPlacement(const SettingsStore& settings, const char* name, HWND window);

// Shows `window` (created hidden) with `showCommand`, the program's start-up
// show command, in the rectangle kept under `name` and maximised when it was;
// a start-up command that asks for another state (minimised, say) wins over
// the saved one. Without a usable value the window keeps the place it was
// created in. A rectangle on no monitor any more is moved onto one by the
// system (SetWindowPlacement).
void ShowWindowAsSaved(const SettingsStore& settings, const char* name, HWND window, int showCommand);
