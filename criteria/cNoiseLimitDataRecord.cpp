#include "criteria/cNoiseLimitDataRecord.h"

void cNoiseLimitDataRecord::copy(const cNoiseLimitDataRecord& from) {
  col = from.col;
  row = from.row;
  metric = from.metric;
  use = from.use;
  timePeriod = from.timePeriod;
  impactType = from.impactType;
  limit_value = from.limit_value;
  limit_text = from.limit_text;
  equation = from.equation;
  if (!equationRec) equationRec = std::make_shared<cEquationRecord>();
  if (from.equationRec) equationRec->copy(*from.equationRec);
}
