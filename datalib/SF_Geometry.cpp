#include "SF_Geometry.h"

#include "SF_DataError.h"

std::shared_ptr<SF_Geometry> SF_Geometry::Copy() const {
  auto g = std::make_shared<SF_Geometry>();
  g->pe_ = Pe()->Copy();
  g->te_ = Te()->Copy();
  g->tm_ = Tm()->Copy();
  g->betae_ = betae_;
  g->sre_ = sre_;
  g->thetae_ = thetae_;
  g->tprope_ = tprope_;
  return g;
}

void SF_Geometry::THETAe(double value) { thetae_ = SF_ToSingle(value); }

void SF_Geometry::BETAe(double value) { betae_ = SF_ToSingle(value); }

std::shared_ptr<SF_Position> SF_Geometry::Pe() const {
  if (!pe_) pe_ = std::make_shared<SF_Position>();
  return pe_;
}

std::shared_ptr<SF_Time> SF_Geometry::Te() const {
  if (!te_) te_ = std::make_shared<SF_Time>();
  return te_;
}

std::shared_ptr<SF_Time> SF_Geometry::Tm() const {
  if (!tm_) tm_ = std::make_shared<SF_Time>();
  return tm_;
}
