#pragma once
// The per-user settings store named by the report's IniFile: sections of keys with
// text values. Section and key names compare without regard to letter case.
#include <functional>
#include <memory>
#include <string>

namespace quarlo {

class SettingsStoreBase {
 public:
  virtual ~SettingsStoreBase() = default;
  SettingsStoreBase() = default;
  SettingsStoreBase(const SettingsStoreBase&) = delete;
  SettingsStoreBase& operator=(const SettingsStoreBase&) = delete;

  virtual bool ValueExists(const std::string& section, const std::string& key) const = 0;
  // defaultValue when the key is absent.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const = 0;
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
  // Writes what is pending; also done when the store is freed.
  virtual void Flush() {}

  // defaultValue when the key is absent or its text is no integer in range.
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
  void WriteInteger(const std::string& section, const std::string& key, int value);
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
  void WriteBool(const std::string& section, const std::string& key, bool value);
};

// A store that holds nothing and keeps nothing: every read gives its default. What
// SettingsStore opens when no platform store is installed.
class NullSettingsStore final : public SettingsStoreBase {
 public:
  bool ValueExists(const std::string&, const std::string&) const override { return false; }
  std::string ReadString(const std::string&, const std::string&,
                         const std::string& defaultValue) const override {
    return defaultValue;
  }
  void WriteString(const std::string&, const std::string&, const std::string&) override {}
};

// True when iniFile names a per-user key ("\Software\..."), false for an ini file path.
bool IsSettingsKey(const std::string& iniFile);

using SettingsStoreFactory =
    std::function<std::unique_ptr<SettingsStoreBase>(const std::string& iniFile)>;

// Installs the platform's store; an empty function removes it.
void SetSettingsStoreFactory(SettingsStoreFactory factory);
// The store named by iniFile, never null.
std::unique_ptr<SettingsStoreBase> OpenSettingsStore(const std::string& iniFile);

}  // namespace quarlo
