#pragma once
// Who prepares the reports (organisation and author), kept with the user's
// other settings under the program's name, section "Report".

#include <string>

#include "report/mPdfReport.h"

class ISettingsStore;

class cPreparerSettings {
public:
  explicit cPreparerSettings(ISettingsStore& store);

  mPdfReport::Preparer read() const;
  // False when the store refused a value.
  bool save(const mPdfReport::Preparer& preparer);

private:
  ISettingsStore& store_;
};
