#include "SF_Metric.h"

#include <cmath>

#include "SF_DataError.h"

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
    if (!(stored_ & (1u << (sfMetric - 1)))) return std::nullopt;
    return values_[sfMetric - 1];
  }
  const auto it = others_.find(sfMetric);
  return it == others_.end() ? std::nullopt : it->second;
}

void SF_Metric::MetricValue(int sfMetric, Value value) {
  if (sfMetric >= 1 && sfMetric <= kTypes) {
    values_[sfMetric - 1] = value;
    stored_ = static_cast<unsigned short>(stored_ | (1u << (sfMetric - 1)));
    return;
  }
  others_[sfMetric] = value;
}

bool SF_Metric::isStored(int sfMetric) const {
  if (sfMetric >= 1 && sfMetric <= kTypes) return (stored_ & (1u << (sfMetric - 1))) != 0;
  return others_.count(sfMetric) != 0;
}

float SF_Metric::single(int type) const {
  const Value v = MetricValue(type);
  return v ? SF_ToSingle(*v) : 0.0f;
}

void SF_Metric::setSingle(int type, double value) { MetricValue(type, static_cast<double>(SF_ToSingle(value))); }
