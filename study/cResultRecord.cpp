#include "study/cResultRecord.h"

cResultRecord cResultRecord::copy() const {
  cResultRecord r;
  r.computed = computed;
  r.calculated = calculated.copy();
  r.day_lotLine = day_lotLine.copy();
  r.eve_lotLine = eve_lotLine.copy();
  r.nite_lotLine = nite_lotLine.copy();
  r.day_exceed = day_exceed.copy();
  r.eve_exceed = eve_exceed.copy();
  r.nite_exceed = nite_exceed.copy();
  return r;
}
