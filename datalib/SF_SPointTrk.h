#pragma once
// Flight-track parameters of one event: the times TOH, TMAX, T1 and T2, the
// track geometry YOFF, PHI, CYANG, ALT and ground speed GSPDKTS, and the
// record numbers FIRST, LAST and MAX. The library stores them only.

#include <cstdint>
#include <memory>

#include "SF_Time.h"

class SF_SPointTrk {
public:
  // Created on first read; setting stores the reference given.
  std::shared_ptr<SF_Time> TOH() const { return lazy(toh_); }
  void TOH(std::shared_ptr<SF_Time> value) { toh_ = std::move(value); }
  std::shared_ptr<SF_Time> TMAX() const { return lazy(tmax_); }
  void TMAX(std::shared_ptr<SF_Time> value) { tmax_ = std::move(value); }
  std::shared_ptr<SF_Time> T1() const { return lazy(t1_); }
  void T1(std::shared_ptr<SF_Time> value) { t1_ = std::move(value); }
  std::shared_ptr<SF_Time> T2() const { return lazy(t2_); }
  void T2(std::shared_ptr<SF_Time> value) { t2_ = std::move(value); }

  // Single precision; a value beyond that range throws SF_DataError (Overflow).
  float YOFF() const { return yoff_; }
  void YOFF(double value);
  float PHI() const { return phi_; }
  void PHI(double value);
  float CYANG() const { return cyang_; }
  void CYANG(double value);
  float ALT() const { return alt_; }
  void ALT(double value);
  float GSPDKTS() const { return gspdkts_; }
  void GSPDKTS(double value);

  std::int16_t FIRST() const { return first_; }
  void FIRST(std::int16_t value) { first_ = value; }
  std::int16_t LAST() const { return last_; }
  void LAST(std::int16_t value) { last_ = value; }
  std::int16_t MAX() const { return max_; }
  void MAX(std::int16_t value) { max_ = value; }

private:
  static std::shared_ptr<SF_Time> lazy(std::shared_ptr<SF_Time>& t);

  mutable std::shared_ptr<SF_Time> toh_;
  mutable std::shared_ptr<SF_Time> tmax_;
  mutable std::shared_ptr<SF_Time> t1_;
  mutable std::shared_ptr<SF_Time> t2_;
  float yoff_ = 0.0f;
  float phi_ = 0.0f;
  float cyang_ = 0.0f;
  float alt_ = 0.0f;
  float gspdkts_ = 0.0f;
  std::int16_t first_ = 0;
  std::int16_t last_ = 0;
  std::int16_t max_ = 0;
};
