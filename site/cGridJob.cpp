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
                            std::int32_t bands, const Progress* progress, const mGridKernel::sKernel& kernel,
                            std::vector<char>& done) {
  try {
    for (;;) {
      if (isCancelled() || failed_.load(std::memory_order_relaxed)) return;
      const std::int32_t band = nextBand.fetch_add(1, std::memory_order_relaxed);
      if (band >= bands) return;
      const std::int32_t first = band * mGridKernel::tileSize;
      const std::int32_t last = std::min(frame_.rows, first + mGridKernel::tileSize);
      mGridKernel::computeRows(kernel, frame_, shielding_.get(), first, last, grid_);
      done[static_cast<std::size_t>(band)] = 1;
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
  const std::int32_t bands = (frame_.rows + mGridKernel::tileSize - 1) / mGridKernel::tileSize;
  std::vector<char> done;
  mGridKernel::sKernel kernel;
  try {
    // Storage of the right size (recycled) is filled as it is computed;
    // other storage starts as noData.
    // Storage of a much larger grid is let go rather than kept half empty.
    if (grid_.lmax.capacity() > 2 * frame_.cellCount() + 4096) grid_ = cNoiseGrid{};
    if (grid_.lmax.size() == frame_.cellCount() && grid_.level.size() == frame_.cellCount()) {
      grid_.frame = frame_;
      grid_.metric = metric_;
    } else {
      grid_.reset(frame_, metric_);
    }
    done.assign(static_cast<std::size_t>(bands), 0);
    kernel = mGridKernel::prepare(input_, frame_, metric_);
  } catch (const std::bad_alloc&) {
    grid_ = cNoiseGrid{};
    return Outcome::failed;
  }
  // Nothing takes part: every cell is noData.
  if (kernel.pieces.empty()) {
    grid_.reset(frame_, metric_);
    if (progress) progress(1.0);
    return isCancelled() ? Outcome::cancelled : Outcome::done;
  }
  std::atomic<std::int32_t> nextBand{0}, bandsDone{0};
  std::vector<std::thread> helpers;
  for (unsigned t = 1; t < threads && t < static_cast<unsigned>(bands); ++t) {
    try {
      helpers.emplace_back([&] { computeBands(nextBand, bandsDone, bands, nullptr, kernel, done); });
    } catch (const std::system_error&) {
      break;  // no thread to be had: the calling thread does the rest
    }
  }
  computeBands(nextBand, bandsDone, bands, &progress, kernel, done);
  for (auto& h : helpers) h.join();
  // Rows a cancelled or failed computation did not reach hold noData, not
  // what the recycled storage held before.
  for (std::int32_t band = 0; band < bands; ++band) {
    if (done[static_cast<std::size_t>(band)]) continue;
    const std::size_t first = static_cast<std::size_t>(band) * mGridKernel::tileSize * frame_.columns;
    const std::size_t last =
        std::min<std::size_t>(frame_.cellCount(), first + std::size_t{mGridKernel::tileSize} * frame_.columns);
    std::fill(grid_.lmax.begin() + static_cast<std::ptrdiff_t>(first), grid_.lmax.begin() + static_cast<std::ptrdiff_t>(last),
              cNoiseGrid::noData);
    std::fill(grid_.level.begin() + static_cast<std::ptrdiff_t>(first),
              grid_.level.begin() + static_cast<std::ptrdiff_t>(last), cNoiseGrid::noData);
  }
  if (failed_.load()) return Outcome::failed;
  if (isCancelled()) return Outcome::cancelled;
  if (progress) progress(1.0);
  return Outcome::done;
}
