#include "SF_SPointTrk.h"

#include "SF_DataError.h"

std::shared_ptr<SF_Time> SF_SPointTrk::lazy(std::shared_ptr<SF_Time>& t) {
  if (!t) t = std::make_shared<SF_Time>();
  return t;
}

void SF_SPointTrk::YOFF(double value) { yoff_ = SF_ToSingle(value); }
void SF_SPointTrk::PHI(double value) { phi_ = SF_ToSingle(value); }
void SF_SPointTrk::CYANG(double value) { cyang_ = SF_ToSingle(value); }
void SF_SPointTrk::ALT(double value) { alt_ = SF_ToSingle(value); }
void SF_SPointTrk::GSPDKTS(double value) { gspdkts_ = SF_ToSingle(value); }
