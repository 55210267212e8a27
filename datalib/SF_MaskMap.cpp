#include "SF_MaskMap.h"

#include "SF_DataError.h"

std::shared_ptr<SF_MaskMap> SF_MaskMap::Copy() const {
  auto m = std::make_shared<SF_MaskMap>();
  rows_.forEach([&](int record, const std::shared_ptr<SF_MaskRow>& row) {
    m->Row(static_cast<std::int16_t>(record), row->Copy());
  });
  return m;
}

void SF_MaskMap::Row(std::int16_t nRecord, std::shared_ptr<SF_MaskRow> row) {
  if (!row) throw SF_DataError(SF_DataError::NoObject, "no mask row given for record " + std::to_string(nRecord));
  rows_.put(nRecord, std::move(row));
}

void SF_MaskMap::setLGB() {
  rows_.forEach([](int, const std::shared_ptr<SF_MaskRow>& row) {
    row->LGB(0);
    row->LGB(row->LastGoodBand());
  });
}
