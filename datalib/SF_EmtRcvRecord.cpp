#include "SF_EmtRcvRecord.h"

std::shared_ptr<SF_EmtRcvRecord> SF_EmtRcvRecord::Copy() const {
  auto r = std::make_shared<SF_EmtRcvRecord>();
  r->sr_ = sr_;
  r->tprop_ = tprop_;
  r->t_ = T()->Copy();
  r->tr_ = Tr()->Copy();
  r->acPosition_ = ACPosition()->Copy();
  return r;
}

std::shared_ptr<SF_Time> SF_EmtRcvRecord::T() const {
  if (!t_) t_ = std::make_shared<SF_Time>();
  return t_;
}

std::shared_ptr<SF_Time> SF_EmtRcvRecord::Tr() const {
  if (!tr_) tr_ = std::make_shared<SF_Time>();
  return tr_;
}

std::shared_ptr<SF_Position> SF_EmtRcvRecord::ACPosition() const {
  if (!acPosition_) acPosition_ = std::make_shared<SF_Position>();
  return acPosition_;
}
