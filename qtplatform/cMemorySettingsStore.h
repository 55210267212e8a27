#pragma once
// A settings store held in memory, for tests and runs that must not touch
// the user's settings.

#include <map>
#include <string>
#include <tuple>

#include "qtplatform/ISettingsStore.h"

class cMemorySettingsStore : public ISettingsStore {
public:
  std::string getSetting(const std::string& appName, const std::string& section, const std::string& key,
                         const std::string& defaultValue = {}) const override {
    const auto it = values_.find({appName, section, key});
    return it == values_.end() ? defaultValue : it->second;
  }
  bool saveSetting(const std::string& appName, const std::string& section, const std::string& key,
                   const std::string& value) override {
    values_[{appName, section, key}] = value;
    return true;
  }

private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};
