#include "platform/qt/settings_store_qt.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace quarlo {

namespace {

constexpr int kKeyPrefixLength = 10;  // "\Software\"

QString UserConfigFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.config");
  return folder;
}

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// QSettings takes "/" in a name as a group separator and treats "\" specially;
// a section or key from the caller is a single name.
QString SingleName(const std::string& text) {
  QString name = FromUtf8(text);
  name.replace(QLatin1Char('/'), QLatin1Char('_'));
  name.replace(QLatin1Char('\\'), QLatin1Char('_'));
  return name;
}

}  // namespace

QString SettingsFilePath(const std::string& iniFile, const QString& configFolder) {
  if (!IsSettingsKey(iniFile)) return QFile::decodeName(QByteArray::fromStdString(iniFile));
  const QString rest = FromUtf8(iniFile.substr(kKeyPrefixLength));
  QStringList parts;
  for (const QString& part : rest.split(QRegularExpression(QStringLiteral("[\\\\/]")))) {
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) continue;
    parts << part;
  }
  if (parts.isEmpty()) parts << QStringLiteral("Software");
  return configFolder + QLatin1Char('/') + parts.join(QLatin1Char('/')) + QStringLiteral(".ini");
}

QtSettingsStore::QtSettingsStore(const std::string& iniFile)
    : settings_(std::make_unique<QSettings>(SettingsFilePath(iniFile, UserConfigFolder()),
                                            QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() { settings_->sync(); }

QString QtSettingsStore::FileName() const { return settings_->fileName(); }

QString QtSettingsStore::FindStoredKey(const std::string& section,
                                           const std::string& key) const {
  const QString wantedSection = SingleName(section);
  const QString wantedKey = SingleName(key);
  for (const QString& group : settings_->childGroups()) {
    if (group.compare(wantedSection, Qt::CaseInsensitive) != 0) continue;
    settings_->beginGroup(group);
    const QStringList keys = settings_->childKeys();
    settings_->endGroup();
    for (const QString& stored : keys) {
      if (stored.compare(wantedKey, Qt::CaseInsensitive) == 0) {
        return group + QLatin1Char('/') + stored;
      }
    }
  }
  // The ini format keeps the keys of a "[General]" section at the top level.
  if (wantedSection.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0) {
    for (const QString& stored : settings_->childKeys()) {
      if (stored.compare(wantedKey, Qt::CaseInsensitive) == 0) return stored;
    }
  }
  return QString();
}

bool QtSettingsStore::ValueExists(const std::string& section, const std::string& key) const {
  return !FindStoredKey(section, key).isEmpty();
}

std::string QtSettingsStore::ReadString(const std::string& section, const std::string& key,
                                            const std::string& defaultValue) const {
  const QString stored = FindStoredKey(section, key);
  if (stored.isEmpty()) return defaultValue;
  const QVariant value = settings_->value(stored);
  // A value written as "a, b" reads back as a list; it is one text here.
  if (value.typeId() == QMetaType::QStringList) {
    return value.toStringList().join(QStringLiteral(", ")).toStdString();
  }
  return value.toString().toStdString();
}

void QtSettingsStore::WriteString(const std::string& section, const std::string& key,
                                      const std::string& value) {
  QString stored = FindStoredKey(section, key);
  if (stored.isEmpty()) stored = SingleName(section) + QLatin1Char('/') + SingleName(key);
  settings_->setValue(stored, FromUtf8(value));
}

void QtSettingsStore::Flush() { settings_->sync(); }

void InstallQtSettingsStore() {
  SetSettingsStoreFactory([](const std::string& iniFile) -> std::unique_ptr<SettingsStoreBase> {
    return std::make_unique<QtSettingsStore>(iniFile);
  });
}

}  // namespace quarlo
