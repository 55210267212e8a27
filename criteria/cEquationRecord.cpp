#include "criteria/cEquationRecord.h"

#include "study/mFormat.h"
#include "study/mMarkers.h"

void cEquationRecord::copy(const cEquationRecord& from) {
  setValueText(from.valueText_);
  baseLine = from.baseLine;
  value = from.value;
  maxCompare = from.maxCompare;
  basePlus = from.basePlus;
  condLessThan = from.condLessThan;
  condThenPlus = from.condThenPlus;
  condElsePlus = from.condElsePlus;
}

std::string cEquationRecord::equationTxt() const {
  switch (equationType) {
    case 0:
      return "Value = Exempt";
    case 1:
      return "Value = N/A";
    case 2:
      return "Value = " + numberText(value) + " dBA";
    case 3:
      return "Maximum of " + numberText(maxCompare) + " dBA or (Baseline + " + numberText(basePlus) +
             " dBA)";
    case 4:
      return "Value = Baseline + " + numberText(basePlus) + " dBA";
    case 5:
      return "If Baseline < " + numberText(condLessThan) + " dBA" + " Then" + "\r\n" +
             "   Value = Baseline + " + numberText(condThenPlus) + " dBA" + "\r\n" + "Else" + "\r\n" +
             "   Value = Baseline + " + numberText(condElsePlus) + " dBA";
    default:
      return "";
  }
}

float cEquationRecord::limit() const {
  switch (equationType) {
    case 0:
      return valueExempt;
    case 1:
      return valueNA;
    case 2:
      return value;
    case 3: {
      const float s = baseLine + basePlus;
      return s >= maxCompare ? s : maxCompare;
    }
    case 4:
      return baseLine + basePlus;
    case 5:
      return baseLine < condLessThan ? baseLine + condThenPlus : baseLine + condElsePlus;
    default:
      return 0.0f;
  }
}

std::string cEquationRecord::limitText() const {
  switch (equationType) {
    case 0:
      return "Exempt";
    case 1:
      return "N/A";
    case 2:
    case 3:
    case 4:
    case 5:
      return numberText(limit());
    default:
      return "";
  }
}

void cEquationRecord::setValueText(const std::string& text) {
  valueText_ = text;
  if (text == "Exempt")
    equationType = 0;
  else if (text == "N/A")
    equationType = 1;
  else if (text == "Value")
    equationType = 2;
  else if (text == "Maximum")
    equationType = 3;
  else if (text == "Baseline+")
    equationType = 4;
  else if (text == "Conditional")
    equationType = 5;
}
