#pragma once
// A time-stamped point of a moving source. Shared by reference; Copy is deep.

#include <memory>

#include "SF_Time.h"

class SF_Position {
public:
  // Time copied deeply, X, Y and Z.
  std::shared_ptr<SF_Position> Copy() const;

  // Created on first read; setting stores the reference given.
  std::shared_ptr<SF_Time> Time() const;
  void Time(std::shared_ptr<SF_Time> value) { time_ = std::move(value); }

  double X() const { return x_; }
  void X(double value) { x_ = value; }
  double Y() const { return y_; }
  void Y(double value) { y_ = value; }
  double Z() const { return z_; }
  void Z(double value) { z_ = value; }

private:
  mutable std::shared_ptr<SF_Time> time_;
  double x_ = 0.0;
  double y_ = 0.0;
  double z_ = 0.0;
};
