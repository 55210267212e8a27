#pragma once
// The settings store on QSettings: each application name is its own settings
// file in the user's configuration, sections are groups, keys are keys.

#include <QString>

#include "qtplatform/ISettingsStore.h"

class cQtSettingsStore : public ISettingsStore {
public:
  // With a directory, settings live there as "<application>.ini" instead of
  // in the user's configuration (for tests and portable runs).
  explicit cQtSettingsStore(QString directory = {});

  std::string getSetting(const std::string& appName, const std::string& section, const std::string& key,
                         const std::string& defaultValue = {}) const override;
  bool saveSetting(const std::string& appName, const std::string& section, const std::string& key,
                   const std::string& value) override;

private:
  QString directory_;
};
