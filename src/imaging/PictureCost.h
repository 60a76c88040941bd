#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string_view>

#include "platform/Geometry.h"

namespace sorvane {

// What a picture's first bytes say about the cost of decoding it.
struct PictureFacts {
    bool Png = false, Jpeg = false;  // by content, whatever the name says
    bool Transparent = false;        // PNG: an alpha channel or a tRNS colour
    bool Interlaced = false;         // PNG: Adam7, decoded whole
    // JPEG: progressive or in several scans, so libjpeg holds every DCT
    // coefficient of the full-size picture, whatever the scale decoded to.
    bool WholeCoefficients = false;
    double CoefficientBytesPerPixel = 0;  // 2 bytes per coefficient, per its sampling
};
PictureFacts ReadPictureFacts(std::string_view bytes);

// Decoded pixels above this size are streamed row by row into a reduction
// where the codec allows it (PNG that is not interlaced).
inline constexpr size_t kStreamAbove = 96u << 20;
bool StreamsRows(const PictureFacts& facts, PixelSize stored, bool shrink);

// The most memory one picture's preparation holds at once, beyond the
// run's shared background: its file, decoded pixels, the reduction, and its
// canvas with the encoded copy.
size_t PeakBytes(const PictureFacts& facts, size_t fileBytes, PixelSize stored, PixelSize reduced,
                 bool shrink, PixelSize canvas);

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
