#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace sorvane {

// Memory that pictures prepared at the same time share: a picture waits
// until its peak fits beside the others', so two huge ones are never
// decoded at once. One that can never fit is refused before it starts.
class MemoryBudget {
  public:
    explicit MemoryBudget(size_t capacity) : capacity_(capacity) {}
    size_t Capacity() const { return capacity_; }
    // `bytes` must not exceed the capacity.
    void Acquire(size_t bytes);
    void Release(size_t bytes);

  private:
    const size_t capacity_;
    size_t used_ = 0;
    std::mutex mutex_;
    std::condition_variable freed_;
};

// The budget of every preparation in this process: with the program itself
// and the run's canvas, about 1 GB at the most.
inline constexpr size_t kPreparationBudget = 768u << 20;
MemoryBudget& PreparationBudget();

class BudgetHold {
  public:
    BudgetHold(MemoryBudget& budget, size_t bytes) : budget_(budget), bytes_(bytes) {
        budget_.Acquire(bytes_);
    }
    ~BudgetHold() { budget_.Release(bytes_); }
    BudgetHold(const BudgetHold&) = delete;
    BudgetHold& operator=(const BudgetHold&) = delete;

  private:
    MemoryBudget& budget_;
    size_t bytes_;
};

}  // namespace sorvane
