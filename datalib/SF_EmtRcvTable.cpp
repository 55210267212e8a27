#include "SF_EmtRcvTable.h"

#include <string>

#include "SF_DataError.h"

std::shared_ptr<SF_EmtRcvRecord> SF_EmtRcvTable::Record(std::int32_t nRecord) const {
  const auto it = records_.find(nRecord);
  if (it == records_.end())
    throw SF_DataError(SF_DataError::MissingEntry, "no record stored under " + std::to_string(nRecord));
  return it->second;
}

void SF_EmtRcvTable::Record(std::int32_t nRecord, std::shared_ptr<SF_EmtRcvRecord> value) {
  if (!value) throw SF_DataError(SF_DataError::NoObject, "no record given for " + std::to_string(nRecord));
  records_[nRecord] = std::move(value);
}

template <typename Get>
std::vector<double> SF_EmtRcvTable::column(Get&& get) const {
  const int n = Count();
  std::vector<double> out;
  out.reserve(static_cast<std::size_t>(n));
  for (int i = 1; i <= n; ++i) out.push_back(get(*Record(i)));
  return out;
}

std::vector<double> SF_EmtRcvTable::T() const {
  return column([](const SF_EmtRcvRecord& r) { return r.T()->TODseconds(); });
}

std::vector<double> SF_EmtRcvTable::Tr() const {
  return column([](const SF_EmtRcvRecord& r) { return r.Tr()->TODseconds(); });
}

std::vector<double> SF_EmtRcvTable::X() const {
  return column([](const SF_EmtRcvRecord& r) { return r.ACPosition()->X(); });
}

std::vector<double> SF_EmtRcvTable::Y() const {
  return column([](const SF_EmtRcvRecord& r) { return r.ACPosition()->Y(); });
}

std::vector<double> SF_EmtRcvTable::Z() const {
  return column([](const SF_EmtRcvRecord& r) { return r.ACPosition()->Z(); });
}

std::int16_t SF_EmtRcvTable::Count() const { return SF_ToInt16(static_cast<long long>(records_.size())); }
