#include "programrunner.h"

// PXATOOL_PATH and DATTOOL_PATH come from the build.
ProgramRun RunPxatool(const std::vector<std::string>& arguments) { return RunProgram(PXATOOL_PATH, arguments); }

ProgramRun RunDattool(const std::vector<std::string>& arguments) { return RunProgram(DATTOOL_PATH, arguments); }
