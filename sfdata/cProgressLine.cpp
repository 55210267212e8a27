#include "sfdata/cProgressLine.h"

#include <cmath>

namespace {
constexpr double kQuietSeconds = 1.0;
}

cProgressLine::cProgressLine(std::ostream& err, std::string label, std::function<double()> clock)
    : err_(err), label_(std::move(label)), clock_(std::move(clock)) {
  started_ = now();
}

cProgressLine::~cProgressLine() { finish(); }

double cProgressLine::now() const {
  if (clock_) return clock_();
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void cProgressLine::update(double fraction) {
  if (shownPercent_ < 0 && now() - started_ < kQuietSeconds) return;
  const int percent = static_cast<int>(std::floor(std::fmin(std::fmax(fraction, 0.0), 1.0) * 100.0));
  if (percent == shownPercent_) return;
  shownPercent_ = percent;
  err_ << "\rsfdata: " << label_ << " " << percent << "%" << std::flush;
}

void cProgressLine::finish() {
  if (shownPercent_ < 0) return;
  err_ << "\n" << std::flush;
  shownPercent_ = -1;
  started_ = now();
}
