#include "site/IGridShielding.h"

#include "site/mBarrierFactor.h"

void IGridShielding::cTile::factors(const cGridFrame& frame, std::int32_t row, std::int32_t firstColumn,
                                    std::int32_t lastColumn, double height, float* out) const {
  const double y = frame.centreY(row);
  for (std::int32_t c = firstColumn; c < lastColumn; ++c)
    *out++ = mBarrierFactor::energyFactor(attenuation(frame.centreX(c), y, height));
}
