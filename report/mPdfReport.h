#pragma once
// The submission report of a case as a document: title block, summary,
// method, criteria, each receptor's baselines, equipment, results and chart,
// and the equipment list entries used. Its numbers are those of the text
// report: the stored results of every receptor, formatted alike.

#include <cstdint>
#include <string>
#include <vector>

#include "report/cReportDocument.h"
#include "study/cEquipment.h"

class cStudy;

namespace mPdfReport {

inline constexpr const char* documentTitle = "Construction Noise Assessment";

// Who prepared the report, as the program's settings keep it.
struct Preparer {
  std::string organisation;
  std::string author;
};

struct Inputs {
  std::string caseName;    // the case file's name without its suffix; empty for an unsaved case
  std::string reportDate;  // "MM/DD/YYYY"; today's date when empty
  Preparer preparer;
  const EquipmentList* equipmentList = nullptr;  // the list the equipment was chosen from; may be null
  // Shielding computed from the barriers of a site plan rather than estimated.
  bool shieldingFromBarriers = false;
  // Sections about places and time (a site plan with its noise map and
  // legend, a programme's timeline and worst week), placed after the
  // receptors and before the appendix; empty when the case has none.
  std::vector<cReportBlock> placeSections;
};

// The whole document. The study is read only.
cReportDocument build(const cStudy& study, const Inputs& inputs);

// The background an exceedance is shaded with, as the receptor overview
// colours it: none at 0 or less or for a marker, then bands under 5 dB,
// 5 to under 10 dB, and 10 dB or more.
std::uint32_t exceedanceShade(float exceedance);

// The case's name for the footer: the file name without ".cas".
std::string caseNameOf(const std::string& caseFileName);

}  // namespace mPdfReport
