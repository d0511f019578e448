// PXAEditor from start to end, as its entry point runs it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "modalui.h"

class Exception;

// Builds the image types, creates the windows, makes the untitled document,
// runs the message loop until the program is closed and tears everything
// down. An Exception that reaches this level ends the program with a report.
// Returns the program's exit code, 0.
// With two arguments, an index file and an atlas image, the shown window
// opens that pair before the loop starts, as Open would; with one, an index
// file, it opens that index with the image of the same name beside it
// (OpenIndex). Any other number of arguments is ignored, so the untitled
// document stays.
// What it remembers between runs is kept under `settingsKey` below
// HKEY_CURRENT_USER (editorsettings.h); with none, nothing is remembered.
int RunEditor(HINSTANCE instance, const ModalUi& ui, const std::vector<std::string>& arguments = {},
              const std::string& settingsKey = std::string());

// "Caught exception from file:line", an empty line, the message.
std::string ExceptionReport(const Exception& failure);
