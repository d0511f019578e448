// For tests and fuzzers only: a table heap that runs out on demand.
#pragma once

#include "heap.h"

// Lets the out-of-memory paths be exercised: after `successfulAllocations`
// more allocations or reallocations, every further one fails, until this is
// called again. A negative count turns the failures off.
void TableHeapFailAfter(long successfulAllocations);
