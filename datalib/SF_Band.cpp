#include "SF_Band.h"

std::shared_ptr<SF_Band> SF_Band::Copy() const {
  auto b = std::make_shared<SF_Band>();
  b->levels_ = levels_;
  return b;
}
