#include "study/cReceptorRecord.h"

std::shared_ptr<cReceptorRecord> cReceptorRecord::copy() const {
  auto r = std::make_shared<cReceptorRecord>();
  r->rowID = rowID;
  r->description = description;
  r->setLandUseTxt(landUseText_);
  r->dayBase = dayBase;
  r->eveBase = eveBase;
  r->niteBase = niteBase;
  r->position = position;
  r->calculated_totals = calculated_totals.copy();
  r->colLinks.reserve(colLinks.size());
  for (const auto& link : colLinks) r->colLinks.push_back(link->copy());
  return r;
}

bool cReceptorRecord::getLink(std::shared_ptr<cLinkRecord>& link, std::int32_t equipID) const {
  for (const auto& l : colLinks) {
    link = l;
    if (l->equipID == equipID) return true;
  }
  return false;
}

std::shared_ptr<cLinkRecord> cReceptorRecord::addLink(std::int32_t equipID) {
  auto link = std::make_shared<cLinkRecord>();
  link->equipID = equipID;
  colLinks.push_back(link);
  return link;
}

void cReceptorRecord::setLandUseTxt(const std::string& text) {
  landUseText_ = text;
  if (text == "Residential")
    landUse = 0;
  else if (text == "Commercial")
    landUse = 1;
  else if (text == "Industrial")
    landUse = 2;
}
