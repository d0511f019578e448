// The steps of a save, as the failure seam of the tests sees them
// (savetestseam.h). Every step that touches the disk passes one of these
// first, so that a test can fail it or end the process just before it.
#pragma once

#include "safefile.h"

// True when the tests made this step fail; the step is then not taken.
bool SaveStepFails(FileStep step);

// A step the tests do not fail, only end the process at.
void PassSaveStep();
