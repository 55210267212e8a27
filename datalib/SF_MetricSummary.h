#pragma once
// The metric types that the records of a spectral time history carry, in the
// order they were added, each once.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "SF_Enums.h"

class SF_MetricSummary {
public:
  std::shared_ptr<SF_MetricSummary> Copy() const;

  // Adds a type; a type already present is kept once.
  void MetricType(int sfMetric);
  const std::vector<int>& MetricTypes() const { return types_; }
  bool isMetric(int sfMetric) const;

  // The names of the types present, in order, separated by ", " ("AWT, PNLT, LGB").
  std::string MetricTypeString() const;
  // Adds the type of one name, in any case ("tonebnd"); an unknown name adds nothing.
  void MetricTypeString(std::string_view name);

private:
  std::vector<int> types_;
};
