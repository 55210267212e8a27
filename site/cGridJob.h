#pragma once
// One computation of a noise map, as a job the caller runs and may stop.
// run() computes on the calling thread and on helper threads it starts and
// joins before it returns, bands of rows handed out to whichever is free;
// cancel() from any thread makes it return within a band of rows. The
// progress callback is called on the thread that called run().

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "site/cGridFrame.h"
#include "site/cGridInput.h"
#include "site/cNoiseGrid.h"

class IGridShielding;
namespace mGridKernel {
struct sKernel;
}

class cGridJob {
public:
  enum class Outcome { done, cancelled, failed };
  // The fraction of rows done, 0 to 1.
  using Progress = std::function<void(double)>;

  // metric: 1 Leq, 2 L10. The shielding, when given, is shared with the caller.
  cGridJob(cGridInput input, const cGridFrame& frame, std::int32_t metric,
           std::shared_ptr<const IGridShielding> shielding = nullptr);

  // threads: how many threads compute, the calling one included (at least 1).
  // failed: the grid is too large for memory, or the frame has no cells.
  Outcome run(const Progress& progress = {}, unsigned threads = 2);
  void cancel() { cancelled_.store(true, std::memory_order_relaxed); }
  bool isCancelled() const { return cancelled_.load(std::memory_order_relaxed); }

  // The storage of an earlier grid, to be filled again instead of new
  // memory (a map redrawn after an edit asks the system for nothing). Rows
  // a cancelled or failed computation did not reach hold noData.
  void recycle(cNoiseGrid&& old) { grid_ = std::move(old); }

  const cNoiseGrid& grid() const { return grid_; }
  cNoiseGrid takeGrid() { return std::move(grid_); }
  const cGridInput& input() const { return input_; }
  const IGridShielding* shielding() const { return shielding_.get(); }

private:
  void computeBands(std::atomic<std::int32_t>& nextBand, std::atomic<std::int32_t>& bandsDone, std::int32_t bands,
                    const Progress* progress, const mGridKernel::sKernel& kernel, std::vector<char>& done);

  cGridInput input_;
  cGridFrame frame_;
  std::int32_t metric_;
  std::shared_ptr<const IGridShielding> shielding_;
  cNoiseGrid grid_;
  std::atomic<bool> cancelled_{false};
  std::atomic<bool> failed_{false};
};
