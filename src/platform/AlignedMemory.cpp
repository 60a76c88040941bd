#include "AlignedMemory.h"

#include <cstdlib>
#ifdef _WIN32
#include <malloc.h>
#endif

namespace sorvane {

void* AllocateAlignedMemory(size_t alignment, size_t bytes) {
#ifdef _WIN32
    return _aligned_malloc(bytes, alignment);
#else
    // aligned_alloc wants a whole number of alignments.
    return std::aligned_alloc(alignment, (bytes + alignment - 1) / alignment * alignment);
#endif
}

void FreeAlignedMemory(void* p) {
#ifdef _WIN32
    _aligned_free(p);
#else
    std::free(p);
#endif
}

}  // namespace sorvane
