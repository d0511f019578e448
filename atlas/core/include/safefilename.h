// Which entry names can become file names as they are.
#pragma once

#include <string>

// True when `name` names one file directly inside a folder on Windows and on
// POSIX systems alike, so that joining it to a folder can neither leave that
// folder nor reach a device. Refused: the empty name, "." and "..", path
// separators and drive colons, the characters Windows forbids in file names
// (< > : " | ? * and bytes 0-31), a trailing dot or space (Windows drops them,
// so the file would get another name), and the device names CON, PRN, AUX,
// NUL, CONIN$, CONOUT$, COM0-9 and LPT0-9, with or without an extension and
// in any letter case.
bool isSafeFileName(const std::string& name);
