#include "platform/settings_store.h"

#include "platform/same_text.h"

#include <charconv>
#include <string_view>

namespace quarlo {

namespace {

SettingsStoreFactory& Factory() {
  static SettingsStoreFactory factory;
  return factory;
}

}  // namespace

int SettingsStoreBase::ReadInteger(const std::string& section, const std::string& key,
                                   int defaultValue) const {
  if (!ValueExists(section, key)) return defaultValue;
  const std::string text = ReadString(section, key, std::string());
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) {
    return defaultValue;
  }
  return value;
}

void SettingsStoreBase::WriteInteger(const std::string& section, const std::string& key,
                                     int value) {
  WriteString(section, key, std::to_string(value));
}

bool SettingsStoreBase::ReadBool(const std::string& section, const std::string& key,
                                 bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void SettingsStoreBase::WriteBool(const std::string& section, const std::string& key,
                                  bool value) {
  WriteInteger(section, key, value ? 1 : 0);
}

bool IsSettingsKey(const std::string& iniFile) {
  return StartsWithText(iniFile, "\\Software\\");
}

void SetSettingsStoreFactory(SettingsStoreFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<SettingsStoreBase> OpenSettingsStore(const std::string& iniFile) {
  std::unique_ptr<SettingsStoreBase> store;
  if (Factory()) store = Factory()(iniFile);
  if (!store) store = std::make_unique<NullSettingsStore>();
  return store;
}

}  // namespace quarlo
