// The About box of the Help menu.
#pragma once

#include <string>

struct EditorApp;

// The program's name and version, a notice, then FreeImage's copyright
// message and version.
std::string AboutText();

void AboutCommand(const EditorApp& app);
