#pragma once
// The programme at every receptor, week and period. Each link of each phase
// is computed once, exactly as selecting the receptor in that phase's case
// would compute it; a week's levels then combine the links of the phases
// working, in programme order, as the totals of one case holding all their
// equipment would: the loudest active piece for Lmax, the energy sum of the
// active pieces for the metric, rounded as the totals are. Limits are the
// programme's criteria with the receptor's baselines and land use, for the
// impact type of the equipment of the phases working.

#include "programme/cProgrammeResults.h"

class cPhaseCases;
class cProgramme;

namespace mProgrammeCompute {

cProgrammeResults compute(const cProgramme& programme, cPhaseCases& cases);

}  // namespace mProgrammeCompute
