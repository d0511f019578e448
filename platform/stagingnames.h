// The names a save gives its own files beside a target: its staged new file,
// the target's old file while the save may still need it, and its journal.
// Short names in the target's folder, so that every target that could be
// written directly can be saved this way.
#pragma once

#include <cstddef>
#include <string>

// How many characters of `path` name its folder, separator included ("" for
// a bare name, "Z:" for a name in the current folder of drive Z).
std::size_t FolderLength(const std::string& path);

// How long a name beside `target` may be: at most eight characters, and no
// more than the target's own name or the room that a 259-character path
// leaves in the folder the system resolves it to, whichever is more.
std::size_t StagingNameWidth(const std::string& target);

// The names a file beside a target is tried under, in turn: "~0000000",
// "~0000001", ... cut to `width` characters; empty when names of that width
// have run out.
std::string StagingName(std::size_t width, std::size_t attempt);

// The name of the journal of a save whose first target is `target`: one name
// for each target name (ASCII case ignored, as Windows ignores it), so that
// whoever opens the target finds it.
std::string JournalPath(const std::string& target);

// Whether two file names are one name on Windows, whose folders ignore the
// case of ASCII letters (and so, to be safe, on every system).
bool SameFileName(const std::string& a, const std::string& b);
