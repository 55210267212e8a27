#include "SF_FieldTable.h"

#include <stdexcept>

SF_FieldTable::SF_FieldTable(const std::vector<std::vector<std::string>>& records) {
  for (const auto& r : records) addRecord(r);
}

void SF_FieldTable::clear() {
  bytes_.clear();
  recordByteStart_.clear();
  recordFieldStart_.clear();
  fieldEnds_.clear();
}

std::size_t SF_FieldTable::fieldCount(std::size_t record) const {
  const std::size_t first = recordFieldStart_.at(record);
  const std::size_t next = record + 1 < size() ? recordFieldStart_[record + 1] : fieldEnds_.size();
  return next - first;
}

std::string_view SF_FieldTable::field(std::size_t record, std::size_t index) const {
  if (index >= fieldCount(record)) throw std::out_of_range("SF_FieldTable::field");
  const std::size_t f = recordFieldStart_[record] + index;
  const std::size_t base = recordByteStart_[record];
  const std::size_t begin = index == 0 ? 0 : fieldEnds_[f - 1];
  return std::string_view(bytes_).substr(base + begin, fieldEnds_[f] - begin);
}

std::vector<std::string> SF_FieldTable::record(std::size_t record) const {
  std::vector<std::string> fields;
  const std::size_t n = fieldCount(record);
  fields.reserve(n);
  for (std::size_t i = 0; i < n; ++i) fields.emplace_back(field(record, i));
  return fields;
}

std::vector<std::vector<std::string>> SF_FieldTable::toVectors() const {
  std::vector<std::vector<std::string>> all;
  all.reserve(size());
  for (std::size_t r = 0; r < size(); ++r) all.push_back(record(r));
  return all;
}

void SF_FieldTable::beginRecord() {
  recordByteStart_.push_back(bytes_.size());
  recordFieldStart_.push_back(fieldEnds_.size());
}

void SF_FieldTable::addField(std::string_view text) {
  if (recordFieldStart_.empty()) beginRecord();
  const std::uint64_t relative = bytes_.size() + text.size() - recordByteStart_.back();
  if (relative > UINT32_MAX) throw std::length_error("SF_FieldTable: record larger than 4 GiB");
  bytes_.append(text);
  fieldEnds_.push_back(static_cast<std::uint32_t>(relative));
}

void SF_FieldTable::addRecord(const std::vector<std::string>& fields) {
  beginRecord();
  for (const auto& f : fields) addField(f);
}

bool SF_FieldTable::operator==(const SF_FieldTable& other) const {
  if (size() != other.size()) return false;
  for (std::size_t r = 0; r < size(); ++r) {
    const std::size_t n = fieldCount(r);
    if (n != other.fieldCount(r)) return false;
    for (std::size_t i = 0; i < n; ++i)
      if (field(r, i) != other.field(r, i)) return false;
  }
  return true;
}
