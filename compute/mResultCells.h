#pragma once
// The cells of one results line (a linked piece of equipment or the Total)
// by period and metric code, as the explanations, the overview and the
// remedies read them.

#include <cstdint>
#include <string>

class cEquipmentRecord;
class cLinkRecord;
class cMetric;
class cReceptorRecord;
class cResultRecord;
class cStudy;

namespace mResultCells {

// Metric codes 0 Lmax, 1 Leq, 2 L10; periods 0 day, 1 evening, 2 night.
float level(const cMetric& m, std::int32_t metric);
// The metric shown beside Lmax: 1 Leq when the case's metric is 1, else 2 L10.
std::int32_t caseMetric(const cStudy& study);
const char* metricName(std::int32_t metric);   // "Lmax", "Leq", "L10"
const char* periodName(std::int32_t period);   // "Day", "Evening", "Night"
const char* landUseName(std::int32_t landUse); // "Residential", ...; "" outside 0..2
// The receptor's baseline for the period.
float baseline(const cReceptorRecord& r, std::int32_t period);

// One line of the results: the calculated levels, the limits and the
// exceedances of a link, or of the receptor's totals.
struct Line {
  const cMetric* calculated = nullptr;
  const cMetric* lotLine[3] = {};
  const cMetric* exceed[3] = {};
};
Line linkLine(const cResultRecord& results);
Line totalLine(const cReceptorRecord& r);

// The impact type the totals' limits were taken with: 0 when every linked
// piece (of equipment that exists) is an impact device, or there is none.
std::int32_t totalImpactType(const cStudy& study, const cReceptorRecord& r);

}  // namespace mResultCells
