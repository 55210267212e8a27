#include "qtplatform/cQtSettingsStore.h"

#include <memory>

#include <QDir>
#include <QSettings>

#include "qtplatform/mCodePage.h"

namespace {

std::unique_ptr<QSettings> open(const QString& directory, const std::string& appName) {
  const QString application = mCodePage::toQString(appName);
  if (directory.isEmpty()) {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, application);
  }
  return std::make_unique<QSettings>(QDir(directory).filePath(application + QStringLiteral(".ini")),
                                     QSettings::IniFormat);
}

// Sections and keys are names, not paths: a slash in one stays in it.
QString address(const std::string& section, const std::string& key) {
  QString s = mCodePage::toQString(section);
  QString k = mCodePage::toQString(key);
  s.replace('/', '_').replace('\\', '_');
  k.replace('/', '_').replace('\\', '_');
  return s + '/' + k;
}

}  // namespace

cQtSettingsStore::cQtSettingsStore(QString directory) : directory_(std::move(directory)) {}

std::string cQtSettingsStore::getSetting(const std::string& appName, const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const {
  const auto settings = open(directory_, appName);
  const QVariant value = settings->value(address(section, key));
  return value.isValid() ? mCodePage::fromQString(value.toString()) : defaultValue;
}

bool cQtSettingsStore::saveSetting(const std::string& appName, const std::string& section, const std::string& key,
                                   const std::string& value) {
  const auto settings = open(directory_, appName);
  settings->setValue(address(section, key), mCodePage::toQString(value));
  settings->sync();
  return settings->status() == QSettings::NoError;
}
