#pragma once
// One cell of a masking map: whether the level of a band in a record is
// masked, and how it was adjusted.

#include <memory>
#include <string>
#include <string_view>

#include "SF_Enums.h"

class SF_Mask {
public:
  std::shared_ptr<SF_Mask> Copy() const;

  SF_MASK_MODE MaskMode() const { return maskMode_; }
  void MaskMode(SF_MASK_MODE value) { maskMode_ = value; }
  SF_MASK_ADJUST AdjustMode() const { return adjustMode_; }
  void AdjustMode(SF_MASK_ADJUST value) { adjustMode_ = value; }

  // Mask letter then adjust letter: "--" for a clean cell, "MS" for a cell
  // masked by the criterion and energy-subtracted.
  std::string MaskString() const;
  // The first character sets the mask mode and the last the adjust mode; a
  // letter that names no mode leaves that mode as it was.
  void MaskString(std::string_view text);

  bool isMasked() const { return maskMode_ != NOT_MASKED; }

private:
  SF_MASK_MODE maskMode_ = NOT_MASKED;
  SF_MASK_ADJUST adjustMode_ = NOT_ADJUSTED;
};
