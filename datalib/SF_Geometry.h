#pragma once
// How a source was seen from a microphone in one record: the emission time
// Te and position Pe, the time at the microphone Tm, slant range SRe, angles
// THETAe and BETAe and propagation time Tprope. Shared by reference; Copy is
// deep (debugTime, a diagnostic value, is not copied).

#include <memory>

#include "SF_Position.h"
#include "SF_Time.h"

class SF_Geometry {
public:
  std::shared_ptr<SF_Geometry> Copy() const;

  double SRe() const { return sre_; }
  void SRe(double value) { sre_ = value; }
  // Single precision; a value beyond that range throws SF_DataError (Overflow).
  float THETAe() const { return thetae_; }
  void THETAe(double value);
  float BETAe() const { return betae_; }
  void BETAe(double value);
  double Tprope() const { return tprope_; }
  void Tprope(double value) { tprope_ = value; }
  double debugTime() const { return debugTime_; }
  void debugTime(double value) { debugTime_ = value; }

  // Created on first read; setting stores the reference given.
  std::shared_ptr<SF_Position> Pe() const;
  void Pe(std::shared_ptr<SF_Position> value) { pe_ = std::move(value); }
  std::shared_ptr<SF_Time> Te() const;
  void Te(std::shared_ptr<SF_Time> value) { te_ = std::move(value); }
  std::shared_ptr<SF_Time> Tm() const;
  void Tm(std::shared_ptr<SF_Time> value) { tm_ = std::move(value); }

private:
  double sre_ = 0.0;
  float thetae_ = 0.0f;
  float betae_ = 0.0f;
  double tprope_ = 0.0;
  double debugTime_ = 0.0;
  mutable std::shared_ptr<SF_Position> pe_;
  mutable std::shared_ptr<SF_Time> te_;
  mutable std::shared_ptr<SF_Time> tm_;
};
