#pragma once
// A reference to one cell of one of the sheets.

#include <cstdint>

class cCell {
public:
  std::int32_t sheet = 0;
  std::int32_t col = 0;
  std::int32_t row = 0;

  cCell copy() const { return *this; }
};
