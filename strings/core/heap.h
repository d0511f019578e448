#pragma once

#include <cstddef>

// The heap that string tables live on: the table object, its block array, its
// slot blocks and every entry's name and text. On Windows it is the process
// heap, or a private growable heap when the process heap cannot be had; on
// other systems it is the C allocator. Exhaustion is reported by a null result.

// ObtainTableHeap, which obtains it, is in stringtable.h.

void* TableHeapAllocate(std::size_t size);

// Resizes `block` (null: allocates). On failure returns null and leaves
// `block` as it was.
void* TableHeapReallocate(void* block, std::size_t size);

// Frees `block`; null is ignored.
void TableHeapFree(void* block);
