#pragma once
// Four levels (Lmax, Leq, L10 and a spare one) each with the word that says
// whether it holds a level ("Value") or one of the three markers. Only the
// setters keep a word in step with its value.

#include <string>

class cMetric {
public:
  std::string sLmax;
  std::string sLeq;
  std::string sL10;
  std::string sMet;

  float Lmax() const { return lmax_; }
  float Leq() const { return leq_; }
  float L10() const { return l10_; }
  float Met() const { return met_; }

  void setLmax(float value);
  void setLeq(float value);
  void setL10(float value);
  void setMet(float value);

  // Values go through the setters, so the copy's words follow its values.
  cMetric copy() const;

private:
  float lmax_ = 0.0f;
  float leq_ = 0.0f;
  float l10_ = 0.0f;
  float met_ = 0.0f;
};
