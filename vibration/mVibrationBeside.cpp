#include "vibration/mVibrationBeside.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "site/mSiteFile.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"
#include "vibration/IVibrationTable.h"
#include "vibration/cVibrationSettings.h"
#include "vibration/mVibrationFile.h"

namespace mVibrationBeside {
namespace {

std::string fileName(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end())).filename().string();
}

bool exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::path(std::u8string(path.begin(), path.end())), ec);
}

// Whether the .vib file beside the case says exactly what the rows say.
bool vibFileSays(const std::string& path, const std::vector<mVibrationFile::TableRow>& rows, const cStudy& study) {
  cVibrationSettings there;
  return mVibrationFile::read(path, there) == mVibrationFile::ReadStatus::read &&
         mVibrationFile::buildTableRows(there, study) == rows;
}

// The table in the site file, its rows checked as settings.
IVibrationTable::Status readTable(IVibrationTable& table, const std::string& sitePath,
                                  std::vector<mVibrationFile::TableRow>& rows, cVibrationSettings& settings,
                                  std::string& problem) {
  IVibrationTable::Status status = table.read(sitePath, rows, problem);
  if (status == IVibrationTable::Status::read && !mVibrationFile::readTableRows(rows, settings)) {
    problem = "its vibration_settings table is damaged";
    status = IVibrationTable::Status::unreadable;
  }
  return status;
}

}  // namespace

bool open(const cStudy& study, cVibrationSettings& settings, IVibrationTable* table, const std::string& caseDirectory,
          const std::string& caseFileName, IMessageService& messages) {
  settings.reset();
  if (table) {
    const std::string sitePath = mSiteFile::sitePathFor(caseDirectory + caseFileName);
    std::vector<mVibrationFile::TableRow> rows;
    std::string problem;
    const IVibrationTable::Status status = readTable(*table, sitePath, rows, settings, problem);
    if (status != IVibrationTable::Status::missing) {
      if (status == IVibrationTable::Status::read) return true;
      messages.show("The vibration settings in " + fileName(sitePath) + " could not be read: " + problem +
                        "\nThe case opens with the default vibration settings.",
                    "VORN", MessageIcon::Critical);
      return false;
    }
  }
  const std::string path = mVibrationFile::pathBeside(caseDirectory, caseFileName);
  if (mVibrationFile::read(path, settings) != mVibrationFile::ReadStatus::unreadable) return true;
  messages.show(mVibrationFile::readProblem, "VORN", MessageIcon::Critical);
  return false;
}

bool save(const cStudy& study, const cVibrationSettings& settings, IVibrationTable* table,
          const std::string& caseDirectory, const std::string& caseFileName, IMessageService& messages) {
  const std::string vibPath = mVibrationFile::pathBeside(caseDirectory, caseFileName);
  if (table) {
    const std::string sitePath = mSiteFile::sitePathFor(caseDirectory + caseFileName);
    const bool ownSiteFile = study.sitePlan.savedFingerprint.rfind(sitePath + '\n', 0) == 0;
    std::vector<mVibrationFile::TableRow> there;
    cVibrationSettings saved;
    std::string problem;
    const IVibrationTable::Status status = readTable(*table, sitePath, there, saved, problem);
    if ((ownSiteFile && exists(sitePath)) || status != IVibrationTable::Status::missing) {
      const std::vector<mVibrationFile::TableRow> rows = mVibrationFile::buildTableRows(settings, study);
      if (status == IVibrationTable::Status::read && there == rows) return true;
      if (status == IVibrationTable::Status::missing &&
          (exists(vibPath) ? vibFileSays(vibPath, rows, study) : settings.isDefault()))
        return true;
      // A damaged table may still be the user's work: only settings of
      // their own replace it.
      if (status == IVibrationTable::Status::unreadable && settings.isDefault()) return true;
      problem.clear();
      if (table->write(sitePath, rows, problem)) return true;
      messages.show("The vibration settings could not be written to " + fileName(sitePath) + ": " + problem, "VORN",
                    MessageIcon::Critical);
      return false;
    }
  }
  if (!mVibrationFile::worthWriting(vibPath, settings)) return true;
  if (mVibrationFile::write(vibPath, settings, study) == SF_DATA_OK) return true;
  messages.show(mVibrationFile::writeProblem, "VORN", MessageIcon::Critical);
  return false;
}

}  // namespace mVibrationBeside
