#include "SF_MaskRow.h"

#include "SF_DataError.h"

namespace {
// The bands around 700 Hz below which a record's good range cannot end.
constexpr std::int16_t kBand630 = 28;
constexpr std::int16_t kBand800 = 29;
}  // namespace

std::shared_ptr<SF_MaskRow> SF_MaskRow::Copy() const {
  auto r = std::make_shared<SF_MaskRow>();
  r->cells_.reserve(lowBand_, highBand_);
  for (int b = lowBand_; b <= highBand_; ++b) r->Mask(static_cast<std::int16_t>(b), cells_.at(b)->Copy());
  r->lgb_ = lgb_;
  return r;
}

void SF_MaskRow::Mask(std::int16_t nBand, std::shared_ptr<SF_Mask> cell) {
  if (!cell) throw SF_DataError(SF_DataError::NoObject, "no mask cell given for band " + std::to_string(nBand));
  if (nBand < lowBand_) lowBand_ = nBand;
  if (nBand > highBand_) highBand_ = nBand;
  cells_.put(nBand, std::move(cell));
}

std::int16_t SF_MaskRow::LastGoodBand() const {
  const bool masked630 = cells_.at(kBand630)->isMasked();
  const bool masked800 = cells_.at(kBand800)->isMasked();
  if (masked630 && masked800) return SF_INVALID_LEVEL;
  for (int b = kBand800; b <= highBand_; ++b)
    if (cells_.at(b)->isMasked()) return static_cast<std::int16_t>(b - 1);
  return 0;
}
