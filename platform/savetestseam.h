// For tests only: failures and deaths at chosen steps of a save, on every
// system, in this process.
#pragma once

#include "safefile.h"

// After `successfulSteps` more successes of `step` (creating a staged file,
// flushing one, putting one in place, removing one), every further one fails, until this
// is called again. A negative count turns the failures off.
void FailFileStepAfter(FileStep step, long successfulSteps);

// After `steps` more steps of any kind (every file created, flushed, moved or
// removed, every record of a journal), the process ends abruptly, as a kill
// would end it (RawEndProcessAbruptly), just before the next step. A
// negative count turns it off.
void EndProcessAfterSaveSteps(long steps);
