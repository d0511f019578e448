#include "savesteps.h"

#include "rawfile.h"
#include "savetestseam.h"

namespace {

FileStep g_failingStep = FileStep::None;
long g_stepsBeforeFailure = -1;
long g_stepsBeforeEnd = -1;

}  // namespace

void PassSaveStep() {
    if (g_stepsBeforeEnd == 0) {
        RawEndProcessAbruptly();
    }
    if (g_stepsBeforeEnd > 0) {
        --g_stepsBeforeEnd;
    }
}

bool SaveStepFails(FileStep step) {
    PassSaveStep();
    if (step != g_failingStep || g_stepsBeforeFailure < 0) {
        return false;
    }
    if (g_stepsBeforeFailure == 0) {
        return true;
    }
    --g_stepsBeforeFailure;
    return false;
}

void FailFileStepAfter(FileStep step, long successfulSteps) {
    g_failingStep = step;
    g_stepsBeforeFailure = successfulSteps < 0 ? -1 : successfulSteps;
}

void EndProcessAfterSaveSteps(long steps) { g_stepsBeforeEnd = steps < 0 ? -1 : steps; }
