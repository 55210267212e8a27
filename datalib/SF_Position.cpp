#include "SF_Position.h"

std::shared_ptr<SF_Position> SF_Position::Copy() const {
  auto p = std::make_shared<SF_Position>();
  p->time_ = time_ ? time_->Copy() : std::make_shared<SF_Time>();
  p->x_ = x_;
  p->y_ = y_;
  p->z_ = z_;
  return p;
}

std::shared_ptr<SF_Time> SF_Position::Time() const {
  if (!time_) time_ = std::make_shared<SF_Time>();
  return time_;
}
