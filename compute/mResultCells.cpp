#include "compute/mResultCells.h"

#include "study/cStudy.h"

namespace mResultCells {

float level(const cMetric& m, std::int32_t metric) {
  switch (metric) {
    case 0:
      return m.Lmax();
    case 1:
      return m.Leq();
    default:
      return m.L10();
  }
}

std::int32_t caseMetric(const cStudy& study) { return study.NoiseMetric == 1 ? 1 : 2; }

const char* metricName(std::int32_t metric) {
  switch (metric) {
    case 0:
      return "Lmax";
    case 1:
      return "Leq";
    default:
      return "L10";
  }
}

const char* periodName(std::int32_t period) {
  switch (period) {
    case 0:
      return "Day";
    case 1:
      return "Evening";
    default:
      return "Night";
  }
}

const char* landUseName(std::int32_t landUse) {
  switch (landUse) {
    case 0:
      return "Residential";
    case 1:
      return "Commercial";
    case 2:
      return "Industrial";
    default:
      return "";
  }
}

float baseline(const cReceptorRecord& r, std::int32_t period) {
  return period == 0 ? r.dayBase : period == 1 ? r.eveBase : r.niteBase;
}

Line linkLine(const cResultRecord& x) {
  return Line{&x.calculated, {&x.day_lotLine, &x.eve_lotLine, &x.nite_lotLine},
              {&x.day_exceed, &x.eve_exceed, &x.nite_exceed}};
}

Line totalLine(const cReceptorRecord& r) {
  return Line{&r.calculated_totals,
              {&r.day_lotLine_totals, &r.eve_lotLine_totals, &r.nite_lotLine_totals},
              {&r.day_exceed_totals, &r.eve_exceed_totals, &r.nite_exceed_totals}};
}

std::int32_t totalImpactType(const cStudy& study, const cReceptorRecord& r) {
  for (const auto& link : r.colLinks) {
    std::shared_ptr<cEquipmentRecord> e;
    if (study.getEquipment(e, link->equipID) && e->impactDevice != 0) return 1;
  }
  return 0;
}

}  // namespace mResultCells
