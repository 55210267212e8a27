#include "SF_Metric.h"

#include <cmath>

#include "SF_DataError.h"

SF_Metric::SF_Metric(const SF_Metric& other)
    : stored_(other.stored_),
      empty_(other.empty_),
      others_(other.others_ ? std::make_unique<std::map<int, Value>>(*other.others_) : nullptr) {
  for (int i = 0; i < kTypes; ++i) values_[i] = other.values_[i];
}

SF_Metric& SF_Metric::operator=(const SF_Metric& other) {
  if (this != &other) {
    SF_Metric copy(other);
    for (int i = 0; i < kTypes; ++i) values_[i] = copy.values_[i];
    stored_ = copy.stored_;
    empty_ = copy.empty_;
    others_ = std::move(copy.others_);
  }
  return *this;
}

std::shared_ptr<SF_Metric> SF_Metric::Copy() const {
  auto m = std::make_shared<SF_Metric>();
  m->AWT(AWT());
  m->CWT(CWT());
  m->DWT(DWT());
  m->INTEG(INTEG());
  m->LGB(LGB());
  m->OA(OA());
  m->PNL(PNL());
  m->PNLT(PNLT());
  m->TONEBND(TONEBND());
  m->TONECOR(TONECOR());
  return m;
}

long SF_Metric::INTEG() const {
  const Value v = MetricValue(SF_METRIC_INTEG);
  if (!v) return 0;
  const double r = std::nearbyint(*v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0))
    throw SF_DataError(SF_DataError::Overflow, "integration flags out of range");
  return static_cast<long>(r);
}

void SF_Metric::INTEG(long flags) { MetricValue(SF_METRIC_INTEG, static_cast<double>(flags)); }

SF_Metric::Value SF_Metric::MetricValue(int sfMetric) const {
  if (sfMetric >= 1 && sfMetric <= kTypes) {
    const unsigned bit = 1u << (sfMetric - 1);
    if (!(stored_ & bit) || (empty_ & bit)) return std::nullopt;
    return values_[sfMetric - 1];
  }
  if (!others_) return std::nullopt;
  const auto it = others_->find(sfMetric);
  return it == others_->end() ? std::nullopt : it->second;
}

void SF_Metric::MetricValue(int sfMetric, Value value) {
  if (sfMetric >= 1 && sfMetric <= kTypes) {
    const unsigned bit = 1u << (sfMetric - 1);
    values_[sfMetric - 1] = value.value_or(0.0);
    stored_ = static_cast<unsigned short>(stored_ | bit);
    empty_ = static_cast<unsigned short>(value ? empty_ & ~bit : empty_ | bit);
    return;
  }
  if (!others_) others_ = std::make_unique<std::map<int, Value>>();
  (*others_)[sfMetric] = value;
}

bool SF_Metric::isStored(int sfMetric) const {
  if (sfMetric >= 1 && sfMetric <= kTypes) return (stored_ & (1u << (sfMetric - 1))) != 0;
  return others_ && others_->count(sfMetric) != 0;
}

float SF_Metric::single(int type) const {
  const Value v = MetricValue(type);
  return v ? SF_ToSingle(*v) : 0.0f;
}

void SF_Metric::setSingle(int type, double value) { MetricValue(type, static_cast<double>(SF_ToSingle(value))); }
