#pragma once
// The records of a delimited file, each a list of fields, kept in one byte
// buffer with small offset tables so that a large file costs little more
// memory than its own size. Positions are 0-based: record i is line i + 1.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class SF_FieldTable {
public:
  SF_FieldTable() = default;
  SF_FieldTable(const std::vector<std::vector<std::string>>& records);

  std::size_t size() const { return recordFieldStart_.size(); }
  bool empty() const { return recordFieldStart_.empty(); }
  void clear();

  std::size_t fieldCount(std::size_t record) const;
  std::string_view field(std::size_t record, std::size_t index) const;
  std::vector<std::string> record(std::size_t record) const;
  std::vector<std::vector<std::string>> toVectors() const;

  // Builds records field by field: beginRecord, then addField for each field.
  void beginRecord();
  void addField(std::string_view text);
  void addRecord(const std::vector<std::string>& fields);

  // Room for this many field bytes, so a large file is not copied as it grows.
  void reserveBytes(std::size_t n) { bytes_.reserve(n); }

  bool operator==(const SF_FieldTable& other) const;

private:
  std::string bytes_;
  std::vector<std::uint64_t> recordByteStart_;
  std::vector<std::uint64_t> recordFieldStart_;
  // End of each field, relative to the start of its record's bytes.
  std::vector<std::uint32_t> fieldEnds_;
};
