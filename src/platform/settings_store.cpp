#include "platform/settings_store.h"

#include <charconv>
#include <string_view>

namespace quarlo {

namespace {

SettingsStoreFactory& Factory() {
  static SettingsStoreFactory factory;
  return factory;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char a = text[i];
    char b = prefix[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return false;
  }
  return true;
}

}  // namespace

int TfrxSettingsStore::ReadInteger(const std::string& section, const std::string& key,
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

void TfrxSettingsStore::WriteInteger(const std::string& section, const std::string& key,
                                     int value) {
  WriteString(section, key, std::to_string(value));
}

bool TfrxSettingsStore::ReadBool(const std::string& section, const std::string& key,
                                 bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TfrxSettingsStore::WriteBool(const std::string& section, const std::string& key,
                                  bool value) {
  WriteInteger(section, key, value ? 1 : 0);
}

bool IsSettingsKey(const std::string& iniFile) {
  return StartsWithIgnoringCase(iniFile, "\\Software\\");
}

void SetSettingsStoreFactory(SettingsStoreFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<TfrxSettingsStore> OpenSettingsStore(const std::string& iniFile) {
  std::unique_ptr<TfrxSettingsStore> store;
  if (Factory()) store = Factory()(iniFile);
  if (!store) store = std::make_unique<TfrxNullSettingsStore>();
  return store;
}

}  // namespace quarlo
