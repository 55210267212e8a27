#include "study/cEquipment.h"

#include <cctype>
#include <string>

#include "study/mMarkers.h"
#include "study/mParseField.h"

namespace {

constexpr std::string_view kListTitle = "VORN Equipment List";
constexpr std::size_t kHeaderLines = 4;
constexpr std::size_t kEquipmentFields = 5;

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool isYes(std::string_view s) {
  s = trimmed(s);
  if (s.size() != 3) return false;
  return std::toupper(static_cast<unsigned char>(s[0])) == 'Y' &&
         std::toupper(static_cast<unsigned char>(s[1])) == 'E' &&
         std::toupper(static_cast<unsigned char>(s[2])) == 'S';
}

}  // namespace

float cEquipment::numberFromText(std::string_view text) {
  const auto value = parseFloatField(trimmed(text));
  return value ? *value : valueNA;
}

bool cEquipment::loadList(const SF_FieldTable& lines, EquipmentList& target) {
  target.clear();
  if (lines.empty() || lines.fieldCount(0) == 0 || trimmed(lines.field(0, 0)) != kListTitle) return false;
  if (lines.size() < kHeaderLines) return false;
  for (std::size_t line = kHeaderLines; line < lines.size(); ++line) {
    if (lines.fieldCount(line) < kEquipmentFields) return false;
    auto e = std::make_shared<cEquipmentRecord>();
    e->numUnits = 1;
    e->description = std::string(trimmed(lines.field(line, 0)));
    e->impactDevice = isYes(lines.field(line, 1)) ? 0 : 1;
    e->usage = numberFromText(lines.field(line, 2));
    if (isValueNA(e->usage)) e->usage = 1.0f;
    e->spec_lmax = numberFromText(lines.field(line, 3));
    e->actual_lmax = numberFromText(lines.field(line, 4));
    e->spec_select = isValueNA(e->actual_lmax);
    target.push_back(std::move(e));
  }
  return true;
}
