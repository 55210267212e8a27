#include "study/cMetric.h"

#include "study/mMarkers.h"

void cMetric::setLmax(float value) {
  lmax_ = value;
  sLmax = markerWord(value);
}

void cMetric::setLeq(float value) {
  leq_ = value;
  sLeq = markerWord(value);
}

void cMetric::setL10(float value) {
  l10_ = value;
  sL10 = markerWord(value);
}

void cMetric::setMet(float value) {
  met_ = value;
  sMet = markerWord(value);
}

cMetric cMetric::copy() const {
  cMetric m;
  m.setLmax(lmax_);
  m.setLeq(leq_);
  m.setL10(l10_);
  m.setMet(met_);
  return m;
}
