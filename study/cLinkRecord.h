#pragma once
// Ties one receptor to one piece of equipment: what differs from receptor to
// receptor (distance, shielding) and the results for the pair. The equipment
// is named by its number only, so renumbering equipment rewrites equipID.

#include <cstdint>
#include <memory>

#include "study/cResultRecord.h"

class cLinkRecord {
public:
  std::int32_t equipID = 0;
  float distance = 0.0f;  // in the study's current units
  float sheilding = 0.0f;
  // The user keeps the typed shielding although a barrier of the site plan
  // would give one.
  bool typedShielding = false;
  cResultRecord results;

  // A new link, results included; nothing is shared with this one.
  std::shared_ptr<cLinkRecord> copy() const;
};
