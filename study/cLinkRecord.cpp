#include "study/cLinkRecord.h"

std::shared_ptr<cLinkRecord> cLinkRecord::copy() const {
  auto l = std::make_shared<cLinkRecord>();
  l->equipID = equipID;
  l->distance = distance;
  l->sheilding = sheilding;
  l->typedShielding = typedShielding;
  l->results = results.copy();
  return l;
}
