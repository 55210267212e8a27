#pragma once
// The site plan section of the PDF report: the plan seen from above with its
// barriers, receptors and equipment (labelled by the numbers of their sheets'
// rows), the noise map of the case's metric under it in the 5 dB bands of
// the window's noise map, its legend, and a key to the symbols. A case
// without a receptor or a piece of equipment placed on the plan has none.

#include <vector>

#include "report/cReportDocument.h"

class cStudy;

namespace mPdfSitePlan {

// The blocks of the section; empty when nothing is placed on the plan. The
// map is computed at the default receiver height over the plan's default
// extent, as the window's noise map first shows it.
std::vector<cReportBlock> section(const cStudy& study);

// True when at least one link takes its shielding from the plan's barriers.
bool shieldingFromBarriers(const cStudy& study);

// The label of a receptor's and a piece of equipment's symbol: "R1", "E3".
std::string receptorLabel(int number);
std::string equipmentLabel(int number);

}  // namespace mPdfSitePlan
