#pragma once
// Numbers read back from the program's own text files. A field must hold the
// whole number and nothing else (surrounding blanks are already trimmed by
// the reader); anything else is reported, never guessed at. No locale.

#include <cstdint>
#include <optional>
#include <string_view>

// A finite 32-bit float written in plain or exponent form ("65", "-999.999",
// "2.5E+16"); a leading "+" is accepted.
std::optional<float> parseFloatField(std::string_view text);

// A whole number in plain decimal that fits the given range.
std::optional<std::int32_t> parseIntField(std::string_view text, std::int32_t lowest, std::int32_t highest);
