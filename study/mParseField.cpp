#include "study/mParseField.h"

#include <charconv>
#include <cmath>

namespace {

std::string_view withoutPlus(std::string_view text) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
  return text;
}

}  // namespace

std::optional<float> parseFloatField(std::string_view text) {
  text = withoutPlus(text);
  if (text.empty()) return std::nullopt;
  float value = 0.0f;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> parseIntField(std::string_view text, std::int32_t lowest, std::int32_t highest) {
  text = withoutPlus(text);
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  if (value < lowest || value > highest) return std::nullopt;
  return static_cast<std::int32_t>(value);
}
