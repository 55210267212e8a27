#include "site/cGridJob.h"

#include <algorithm>
#include <exception>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "site/IGridShielding.h"
#include "site/mGridKernel.h"

cGridJob::cGridJob(cGridInput input, const cGridFrame& frame, std::int32_t metric,
                   std::shared_ptr<const IGridShielding> shielding)
    : input_(std::move(input)), frame_(frame), metric_(metric), shielding_(std::move(shielding)) {
  grid_.frame = frame;
  grid_.metric = metric;
}

void cGridJob::computeBands(std::atomic<std::int32_t>& nextBand, std::atomic<std::int32_t>& bandsDone,
                            std::int32_t bands, const Progress* progress, const mGridKernel::sKernel& kernel) {
  try {
    for (;;) {
      if (isCancelled() || failed_.load(std::memory_order_relaxed)) return;
      const std::int32_t band = nextBand.fetch_add(1, std::memory_order_relaxed);
      if (band >= bands) return;
      const std::int32_t first = band * mGridKernel::tileSize;
      const std::int32_t last = std::min(frame_.rows, first + mGridKernel::tileSize);
      mGridKernel::computeRows(kernel, frame_, shielding_.get(), first, last, grid_);
      const std::int32_t done = bandsDone.fetch_add(1, std::memory_order_relaxed) + 1;
      if (progress && *progress) (*progress)(static_cast<double>(done) / bands);
    }
  } catch (const std::exception&) {
    // Out of memory for a row's scratch, or a shielding that failed: the
    // grid is incomplete and is not shown as if it were whole.
    failed_.store(true, std::memory_order_relaxed);
  }
}

cGridJob::Outcome cGridJob::run(const Progress& progress, unsigned threads) {
  if (frame_.empty() || frame_.cellCount() > cGridFrame::maxCells) return Outcome::failed;
  failed_.store(false);
  try {
    grid_.reset(frame_, metric_);
  } catch (const std::bad_alloc&) {
    return Outcome::failed;
  }
  const mGridKernel::sKernel kernel = mGridKernel::prepare(input_, frame_, metric_);
  // Nothing takes part: every cell stays noData.
  if (kernel.pieces.empty()) {
    if (progress) progress(1.0);
    return isCancelled() ? Outcome::cancelled : Outcome::done;
  }
  const std::int32_t bands = (frame_.rows + mGridKernel::tileSize - 1) / mGridKernel::tileSize;
  std::atomic<std::int32_t> nextBand{0}, bandsDone{0};
  std::vector<std::thread> helpers;
  for (unsigned t = 1; t < threads && t < static_cast<unsigned>(bands); ++t) {
    try {
      helpers.emplace_back([&] { computeBands(nextBand, bandsDone, bands, nullptr, kernel); });
    } catch (const std::system_error&) {
      break;  // no thread to be had: the calling thread does the rest
    }
  }
  computeBands(nextBand, bandsDone, bands, &progress, kernel);
  for (auto& h : helpers) h.join();
  if (failed_.load()) return Outcome::failed;
  if (isCancelled()) return Outcome::cancelled;
  if (progress) progress(1.0);
  return Outcome::done;
}
