#pragma once
// The per-user settings store: text values addressed by application name,
// section and key. Texts are Windows-1252 bytes.

#include <string>

class ISettingsStore {
public:
  virtual ~ISettingsStore() = default;
  // The stored text, or defaultValue when the key is absent.
  virtual std::string getSetting(const std::string& appName, const std::string& section, const std::string& key,
                                 const std::string& defaultValue = {}) const = 0;
  // False when the value could not be stored.
  virtual bool saveSetting(const std::string& appName, const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};
