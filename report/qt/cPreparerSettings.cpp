#include "report/qt/cPreparerSettings.h"

#include "qtplatform/ISettingsStore.h"

namespace {

constexpr const char* kProgram = "Corvath VORN";
constexpr const char* kSection = "Report";
constexpr const char* kOrganisation = "Organisation";
constexpr const char* kAuthor = "Author";

}  // namespace

cPreparerSettings::cPreparerSettings(ISettingsStore& store) : store_(store) {}

mPdfReport::Preparer cPreparerSettings::read() const {
  return {store_.getSetting(kProgram, kSection, kOrganisation), store_.getSetting(kProgram, kSection, kAuthor)};
}

bool cPreparerSettings::save(const mPdfReport::Preparer& preparer) {
  const bool organisation = store_.saveSetting(kProgram, kSection, kOrganisation, preparer.organisation);
  const bool author = store_.saveSetting(kProgram, kSection, kAuthor, preparer.author);
  return organisation && author;
}
