#pragma once
// One noise limit criterion: how the limit for one land use, period and kind
// of equipment follows from a fixed value or from the receptor's baseline.

#include <cstdint>
#include <string>

class cEquationRecord {
public:
  // -1 not set ("Null"), 0 Exempt, 1 N/A, 2 Value, 3 Maximum, 4 Baseline+,
  // 5 Conditional.
  std::int32_t equationType = -1;
  float baseLine = 0.0f;  // stamped in by setBaselines
  float value = 0.0f;
  float maxCompare = 0.0f;
  float basePlus = 0.0f;
  float condLessThan = 0.0f;
  float condThenPlus = 0.0f;
  float condElsePlus = 0.0f;

  // Takes the type from the source's text, not from its equationType.
  void copy(const cEquationRecord& from);

  // The equation as a sentence, shown as the tip of a criteria cell.
  std::string equationTxt() const;

  // The limit in dBA, or valueExempt / valueNA; 0 for a criterion not set.
  // Sums are single precision, as the stored criteria are.
  float limit() const;

  // "Exempt", "N/A", the limit as a number, or "" for a criterion not set.
  std::string limitText() const;

  const std::string& valueText() const { return valueText_; }
  // Stores the text; an exact type name also sets equationType.
  void setValueText(const std::string& text);

private:
  std::string valueText_;
};
