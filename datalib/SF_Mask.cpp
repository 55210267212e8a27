#include "SF_Mask.h"

std::shared_ptr<SF_Mask> SF_Mask::Copy() const {
  auto m = std::make_shared<SF_Mask>();
  m->maskMode_ = maskMode_;
  m->adjustMode_ = adjustMode_;
  return m;
}

std::string SF_Mask::MaskString() const {
  std::string s(SF_MaskModeLetter(maskMode_));
  s += SF_MaskAdjustLetter(adjustMode_);
  return s;
}

void SF_Mask::MaskString(std::string_view text) {
  if (text.empty()) return;
  SF_MaskModeFromLetter(text.front(), maskMode_);
  SF_MaskAdjustFromLetter(text.back(), adjustMode_);
}
