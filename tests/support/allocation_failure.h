// Running out of memory on purpose. A test program that links the
// allocation_failure object library has its own global operator new, which
// passes every allocation to the C library, except the one a test picks: that
// one fails once as a real allocation fails, by calling the installed
// new-handler (throwing std::bad_alloc when there is none); if the handler
// returns, having made memory available, the allocation goes ahead. Only the
// throwing forms of new are counted and failed (the nothrow ones are the
// image library's).
#pragma once

// The allocation `index` from now (0 the next one) fails; -1 disarms.
void FailAllocation(long index);
// Whether the chosen allocation came after it was last chosen.
bool AllocationFailed();

// Arms the failure for its lifetime and disarms it at the end.
class AllocationFailureScope {
public:
    explicit AllocationFailureScope(long index) { FailAllocation(index); }
    ~AllocationFailureScope() { FailAllocation(-1); }
    AllocationFailureScope(const AllocationFailureScope&) = delete;
    AllocationFailureScope& operator=(const AllocationFailureScope&) = delete;
};
