#pragma once
// Single-number metrics of one spectrum, each stored under its metric type.
// The named properties and MetricValue address the same entries, so PNL and
// MetricValue(SF_METRIC_PNL) are one value. The library computes only LGB
// (from a masking map); the other values are handed in by the caller.

#include <map>
#include <memory>
#include <optional>

#include "SF_Enums.h"

class SF_Metric {
public:
  SF_Metric() = default;
  SF_Metric(const SF_Metric& other);
  SF_Metric& operator=(const SF_Metric& other);

  // A general value that may be empty: AWT and MetricValue give std::nullopt
  // for a type never stored (or stored empty).
  using Value = std::optional<double>;

  Value AWT() const { return MetricValue(SF_METRIC_AWT); }
  void AWT(Value value) { MetricValue(SF_METRIC_AWT, value); }

  // Every metric present, those never stored with 0 (AWT empty).
  std::shared_ptr<SF_Metric> Copy() const;

  // Single-precision metrics; a get of a type never stored answers 0. A let
  // beyond the single range throws SF_DataError (Overflow).
  float CWT() const { return single(SF_METRIC_CWT); }
  void CWT(double value) { setSingle(SF_METRIC_CWT, value); }
  float DWT() const { return single(SF_METRIC_DWT); }
  void DWT(double value) { setSingle(SF_METRIC_DWT, value); }
  float OA() const { return single(SF_METRIC_OA); }
  void OA(double value) { setSingle(SF_METRIC_OA, value); }
  float PNL() const { return single(SF_METRIC_PNL); }
  void PNL(double value) { setSingle(SF_METRIC_PNL, value); }
  float PNLT() const { return single(SF_METRIC_PNLT); }
  void PNLT(double value) { setSingle(SF_METRIC_PNLT, value); }
  float TONECOR() const { return single(SF_METRIC_TONECOR); }
  void TONECOR(double value) { setSingle(SF_METRIC_TONECOR, value); }
  float TONEBND() const { return single(SF_METRIC_TONEBND); }
  void TONEBND(double value) { setSingle(SF_METRIC_TONEBND, value); }
  float LGB() const { return single(SF_METRIC_LGB); }
  void LGB(double value) { setSingle(SF_METRIC_LGB, value); }

  // Integration flags (SF_METRIC_INTEG_VALUE bits); 0 when never stored. A
  // stored value is taken to the nearest whole number, halves to even.
  long INTEG() const;
  void INTEG(long flags);

  // The entry of any metric type, as stored; empty when never stored.
  Value MetricValue(int sfMetric) const;
  void MetricValue(int sfMetric, Value value);

  // True when an entry (even an empty one) is stored under the type.
  bool isStored(int sfMetric) const;

private:
  static constexpr int kTypes = 10;

  float single(int type) const;
  void setSingle(int type, double value);

  // Entries for types 1 to 10 in place (bit t - 1 of stored_ set when type t
  // holds an entry, of empty_ when that entry is empty); any other type
  // number, rarely used, in a map made on first use.
  double values_[kTypes] = {};
  unsigned short stored_ = 0;
  unsigned short empty_ = 0;
  std::unique_ptr<std::map<int, Value>> others_;
};
