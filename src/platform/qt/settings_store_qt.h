#pragma once
// The per-user settings store on Qt's settings classes. An IniFile beginning with
// "\Software\" names a per-user key: it becomes an ini file under the user's
// configuration folder (XDG), the key's parts after "\Software\" giving the folders
// and the file name. Any other value is the path of an ini file.
#include <QString>
#include <memory>
#include <string>

#include "platform/settings_store.h"

class QSettings;

namespace quarlo {

class QtSettingsStore final : public SettingsStoreBase {
 public:
  explicit QtSettingsStore(const std::string& iniFile);
  ~QtSettingsStore() override;

  bool ValueExists(const std::string& section, const std::string& key) const override;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  void Flush() override;

  // The file the store reads and writes.
  QString FileName() const;

 private:
  // The stored "section/key" matching section and key without regard to case, or
  // empty when there is none.
  QString FindStoredKey(const std::string& section, const std::string& key) const;

  std::unique_ptr<QSettings> settings_;
};

// Where an IniFile value puts its store: the per-user file for a "\Software\" key,
// else the value itself as a local path. configFolder is the user's configuration
// folder. Key parts that are empty, "." or ".." are dropped, so a key never leaves
// that folder.
QString SettingsFilePath(const std::string& iniFile, const QString& configFolder);

// Makes OpenSettingsStore open Qt stores.
void InstallQtSettingsStore();

}  // namespace quarlo
