#pragma once

#include <cstddef>

namespace sorvane {

// Memory aligned for SIMD code. Windows' C runtime has no aligned_alloc (its
// free cannot release such blocks), so allocation and release go in pairs here.
// Null when the memory cannot be had.
void* AllocateAlignedMemory(size_t alignment, size_t bytes);
void FreeAlignedMemory(void* p);

}  // namespace sorvane
