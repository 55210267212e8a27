#pragma once
// The user's two settings kept from one run to the next: the units and the
// warning preference, under the application name programName, section
// "UserSelect". Plain C++ over the settings store, so it is tested without a
// window.

#include <cstdint>
#include <string>
#include <string_view>

class ISettingsStore;
class cStudy;

class cRegistry {
public:
  explicit cRegistry(ISettingsStore& store);

  std::string programName;

  // Reads both settings into the study's units and noWarningMessage. An
  // absent, empty or non-numeric value reads as 0. Units other than 0 become
  // 1 (meters): the Units menu converts only between 0 and 1, so any other
  // stored value would let a later switch to feet relabel metre distances.
  void getSettings(cStudy& study) const;
  // Writes both settings from the study; false when the store refused one.
  bool saveSettings(const cStudy& study);

  // The numeric value of a setting's text as a 32-bit integer: the number
  // the text starts with, rounded to the nearest whole number; 0 when it
  // starts with none or the number lies outside the 32-bit range.
  static std::int32_t numericValue(std::string_view text);

  // The store itself, for the settings other parts of the program keep.
  ISettingsStore& store() const { return store_; }

private:
  ISettingsStore& store_;
};
