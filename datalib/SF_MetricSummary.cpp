#include "SF_MetricSummary.h"

#include <algorithm>

std::shared_ptr<SF_MetricSummary> SF_MetricSummary::Copy() const {
  auto s = std::make_shared<SF_MetricSummary>();
  for (int t : types_) s->MetricType(t);
  return s;
}

void SF_MetricSummary::MetricType(int sfMetric) {
  if (!isMetric(sfMetric)) types_.push_back(sfMetric);
}

bool SF_MetricSummary::isMetric(int sfMetric) const {
  return std::find(types_.begin(), types_.end(), sfMetric) != types_.end();
}

std::string SF_MetricSummary::MetricTypeString() const {
  std::string out;
  for (int t : types_) {
    const std::string_view name = SF_MetricTypeName(t);
    if (name.empty()) continue;
    if (!out.empty()) out += ", ";
    out += name;
  }
  return out;
}

void SF_MetricSummary::MetricTypeString(std::string_view name) {
  std::string upper(name);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  SF_METRIC_TYPE type;
  if (SF_MetricTypeFromName(upper, type)) MetricType(type);
}
