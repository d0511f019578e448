// Files and folders dropped on the main window.
#pragma once

#include <string>
#include <vector>

struct EditorApp;

// Inserts the dropped files as Insert File(s) inserts chosen ones, a folder
// standing for the image files directly inside it (in byte order of their
// names); of those, the ones that cannot be read are left out and named. A
// drop that comes to no file at all, or to files that would get the same
// entry name, is reported and inserts nothing.
void InsertDroppedFiles(EditorApp& app, const std::vector<std::string>& dropped);
