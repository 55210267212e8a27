#pragma once
// Where the microphone stood: X, Y, Z and its height.

class SF_Microphone {
public:
  double X() const { return x_; }
  void X(double value) { x_ = value; }
  double Y() const { return y_; }
  void Y(double value) { y_ = value; }
  double Z() const { return z_; }
  void Z(double value) { z_ = value; }
  double Height() const { return height_; }
  void Height(double value) { height_ = value; }

private:
  double x_ = 0.0;
  double y_ = 0.0;
  double z_ = 0.0;
  double height_ = 0.0;
};
