// Joining and splitting paths, the same way for the editors and the tools.
#pragma once

#include <string>

// The separator that joins a folder and a name on this system.
char PathSeparator();

// `name` inside `folder`, joined by this system's separator unless the folder
// ends in one already ('/' counts on every system, and on Windows the colon
// of a drive-relative folder such as "Z:").
std::string JoinPath(const std::string& folder, const std::string& name);

// The part of `path` after its last '\' or '/', on every system: the name the
// editors give a file they are handed.
std::string FileNamePart(const std::string& path);
