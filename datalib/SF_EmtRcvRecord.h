#pragma once
// One emission/reception record: the source position ACPosition at emission
// time T, the reception time Tr, slant range SR and propagation time Tprop.
// Shared by reference; Copy is deep.

#include <memory>

#include "SF_Position.h"
#include "SF_Time.h"

class SF_EmtRcvRecord {
public:
  std::shared_ptr<SF_EmtRcvRecord> Copy() const;

  double SR() const { return sr_; }
  void SR(double value) { sr_ = value; }
  double Tprop() const { return tprop_; }
  void Tprop(double value) { tprop_ = value; }

  // Created on first read; setting stores the reference given.
  std::shared_ptr<SF_Time> T() const;
  void T(std::shared_ptr<SF_Time> value) { t_ = std::move(value); }
  std::shared_ptr<SF_Time> Tr() const;
  void Tr(std::shared_ptr<SF_Time> value) { tr_ = std::move(value); }
  std::shared_ptr<SF_Position> ACPosition() const;
  void ACPosition(std::shared_ptr<SF_Position> value) { acPosition_ = std::move(value); }

private:
  double sr_ = 0.0;
  double tprop_ = 0.0;
  mutable std::shared_ptr<SF_Time> t_;
  mutable std::shared_ptr<SF_Time> tr_;
  mutable std::shared_ptr<SF_Position> acPosition_;
};
