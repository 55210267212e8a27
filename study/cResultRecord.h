#pragma once
// What the computation found for one receptor-equipment pair: the levels of
// the piece at the receptor, the limits by period and the exceedances.

#include "study/cMetric.h"

class cResultRecord {
public:
  bool computed = false;
  cMetric calculated;
  cMetric day_lotLine;
  cMetric eve_lotLine;
  cMetric nite_lotLine;
  cMetric day_exceed;
  cMetric eve_exceed;
  cMetric nite_exceed;

  cResultRecord copy() const;
};
