#include "MemoryBudget.h"

namespace sorvane {

void MemoryBudget::Acquire(size_t bytes) {
    std::unique_lock lock(mutex_);
    freed_.wait(lock, [&] { return used_ + bytes <= capacity_; });
    used_ += bytes;
}

void MemoryBudget::Release(size_t bytes) {
    {
        std::lock_guard lock(mutex_);
        used_ -= bytes;
    }
    freed_.notify_all();
}

MemoryBudget& PreparationBudget() {
    static MemoryBudget budget(kPreparationBudget);
    return budget;
}

}  // namespace sorvane
