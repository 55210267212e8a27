#pragma once
// The noise at one receptor: the levels, limits and exceedances of every
// linked piece of equipment and of the receptor in total. Levels are stored
// as 32-bit floats and computed in double, rounded at each step where the
// stored data would be, so results match the stored files to the bit.

#include <cstdint>
#include <optional>

class cEquipmentRecord;
class cReceptorRecord;
class cStudy;

namespace mCompute {

// Every link of the receptor, in order. With skipAtZero a link at distance 0
// keeps its Lmax (a case read from a file, not yet validated).
//
// A link that cannot be computed (its equipment is missing, its distance is
// negative or zero without skipAtZero, its usage is not above 0, or a level
// would not be a finite float) is marked not computed and keeps its stored
// values, so no NaN or infinity ever reaches a sheet, a report or a file.
void computeReceptorLinks(cStudy& study, cReceptorRecord& R, bool skipAtZero);

// The totals of the receptor with this ID, from its computed links.
void computeReceptorTotals(cStudy& study, std::int32_t receptorID);
// The same for a receptor record that need not be in the study (a copy
// computed aside, so the study's own results stay as they are).
void computeReceptorTotals(cStudy& study, cReceptorRecord& R);

// The levels computeReceptorLinks stores for one piece of equipment at the
// given distance (in the study's units) and shielding, with the given usage;
// nothing where it would mark the link not computed. Remedies are checked
// against it, so they hold for the very numbers the sheet will show.
struct LinkLevels {
  float lmax, leq, l10;
};
std::optional<LinkLevels> linkLevels(const cStudy& study, const cEquipmentRecord& e, float usage, float distance,
                                     float sheilding);

double metersToFeet(double x);
double feetToMeters(double x);
// ln(x) / ln(10), as the stored results were always computed.
double log10(double x);

}  // namespace mCompute
