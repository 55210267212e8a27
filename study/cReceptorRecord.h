#pragma once
// One receptor: a place where noise is assessed. It owns its links to the
// equipment at work (1-based in the order they were added: colLinks[0] is
// link 1) and the totals computed for it.
//
// Links are held by shared_ptr so that a link handed out by getLink or
// addLink stays valid while the collection grows. Copying a receptor must be
// deep, so the implicit copy is disabled: use copy().

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "site/cSitePosition.h"

#include "study/cLinkRecord.h"
#include "study/cMetric.h"

class cReceptorRecord {
public:
  std::int16_t rowID = 0;  // 1-based number in the collection and sheet row
  std::string description;
  std::int32_t landUse = 0;  // 0 Residential, 1 Commercial, 2 Industrial
  float dayBase = 0.0f;
  float eveBase = 0.0f;
  float niteBase = 0.0f;
  std::optional<cSitePosition> position;  // on the site plan; none: typed distances
  std::vector<std::shared_ptr<cLinkRecord>> colLinks;
  cMetric calculated_totals;
  cMetric day_lotLine_totals;
  cMetric eve_lotLine_totals;
  cMetric nite_lotLine_totals;
  cMetric day_exceed_totals;
  cMetric eve_exceed_totals;
  cMetric nite_exceed_totals;

  cReceptorRecord() = default;
  cReceptorRecord(const cReceptorRecord&) = delete;
  cReceptorRecord& operator=(const cReceptorRecord&) = delete;
  cReceptorRecord(cReceptorRecord&&) = default;
  cReceptorRecord& operator=(cReceptorRecord&&) = default;

  // A deep copy of the inputs, the links with their results and the
  // calculated totals. The limit and exceedance totals start empty: the next
  // computation of the receptor fills them.
  std::shared_ptr<cReceptorRecord> copy() const;

  // True at the first link whose equipID is the given one, with that link in
  // `link`. When none matches, `link` holds the last link examined (left as it
  // was when there are no links); callers use it only on true.
  bool getLink(std::shared_ptr<cLinkRecord>& link, std::int32_t equipID) const;

  // Appends a link to the given equipment, distance and shielding 0.
  std::shared_ptr<cLinkRecord> addLink(std::int32_t equipID);

  const std::string& landUseTxt() const { return landUseText_; }
  // Stores the text; exactly "Residential", "Commercial" or "Industrial" also
  // sets landUse, any other text leaves it as it was.
  void setLandUseTxt(const std::string& text);

private:
  std::string landUseText_;
};
