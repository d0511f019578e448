// How pxatool reads and prints entry names and prints entries. Entry names
// are Windows-1252 bytes; the command line and the output are in the
// system's own text (SystemTextToWindows1252).
#pragma once

#include <ostream>
#include <string>

#include "atlasentry.h"

// A name given on the command line as an entry name: in Windows-1252, ASCII
// letters upper-cased. Throws ToolError(file, ...) when it cannot be one.
std::string EntryNameArgument(const std::string& text, const std::string& file);

// An entry name in the system's text; its own bytes where that cannot hold it.
std::string EntryNameText(const std::string& name);

// NAME<TAB>X<TAB>Y<TAB>WIDTH<TAB>HEIGHT<TAB>FLAG and a line feed; the name as
// EntryNameText gives it, the numbers in decimal.
void PrintEntryLine(std::ostream& out, const std::string& name, const AtlasEntry& entry);
