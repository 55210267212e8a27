#include "SF_Spectrum.h"

std::shared_ptr<SF_Spectrum> SF_Spectrum::Copy() const {
  auto s = std::make_shared<SF_Spectrum>();
  s->time_ = time_ ? time_->Copy() : std::make_shared<SF_Time>();
  s->level_ = level_;
  s->levels_.reserve(lowBand_, highBand_);
  for (int b = lowBand_; b <= highBand_; ++b) s->SPL(static_cast<std::int16_t>(b), levels_.at(b));
  s->metric_ = metric_ ? metric_->Copy() : SF_Metric().Copy();
  return s;
}

void SF_Spectrum::SPL(std::int16_t nBand, double value) {
  if (nBand < lowBand_) lowBand_ = nBand;
  if (nBand > highBand_) highBand_ = nBand;
  levels_.put(nBand, value);
}

std::shared_ptr<SF_Time> SF_Spectrum::Time() const {
  if (!time_) time_ = std::make_shared<SF_Time>();
  return time_;
}

std::shared_ptr<SF_Metric> SF_Spectrum::Metric() const {
  if (!metric_) metric_ = std::make_shared<SF_Metric>();
  return metric_;
}
