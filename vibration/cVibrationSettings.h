#pragma once
// What a case says about vibration beyond its noise inputs: the soil's
// exponent, each receptor's building category and annoyance limit where the
// user set them, and the user's equipment mapping. Kept beside the case in
// a file of its own (mVibrationFile), so the case file stays as it is.
//
// A receptor's entry is found by its number and description together; else
// by its description alone when exactly one entry has it (the receptor was
// renumbered by a deletion); else by its number when no receptor of the
// study has the entry's description any more (the receptor was renamed). A
// receptor that merely took over another one's number inherits nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vibration/cVibrationMapping.h"
#include "vibration/mVibration.h"

class cReceptorRecord;
class cStudy;

class cVibrationSettings {
public:
  struct ReceptorEntry {
    std::int32_t receptorID = 0;
    std::string description;
    std::int32_t category = 0;
    std::optional<double> annoyanceLimit;  // nothing: follows the land use
  };

  // The limits that apply to a receptor.
  struct Criteria {
    std::int32_t category = 0;
    double ppvLimit = 0.0;  // in/s
    double lvLimit = 0.0;   // VdB
    bool lvFollowsLandUse = true;
  };

  cVibrationMapping mapping;

  double exponent() const { return exponent_; }
  // False, and nothing changed, outside 1.1 to 1.5.
  bool setExponent(double n);

  Criteria criteriaFor(const cStudy& study, const cReceptorRecord& receptor) const;
  // False, and nothing changed, for a code that is no category.
  bool setCategory(const cStudy& study, const cReceptorRecord& receptor, std::int32_t category);
  // Nothing: back to the land use's limit. False for a limit that is not a
  // finite number above 0.
  bool setAnnoyanceLimit(const cStudy& study, const cReceptorRecord& receptor, std::optional<double> limit);

  // For reading a file: entries as saved.
  void addReceptorEntry(ReceptorEntry entry);
  const std::vector<ReceptorEntry>& receptorEntries() const { return receptors_; }
  // The entries the study's receptors resolve to, numbered and described as
  // the receptors now are, without those that say only the defaults.
  std::vector<ReceptorEntry> entriesFor(const cStudy& study) const;

  // Everything as a new case has it.
  bool isDefault() const;
  void reset();

private:
  const ReceptorEntry* resolve(const cStudy& study, const cReceptorRecord& receptor) const;
  ReceptorEntry& entryFor(const cStudy& study, const cReceptorRecord& receptor);

  double exponent_ = mVibration::defaultExponent;
  std::vector<ReceptorEntry> receptors_;
};
