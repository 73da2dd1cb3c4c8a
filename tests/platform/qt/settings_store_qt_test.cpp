// The Qt settings store in both of its forms: a per-user key and an ini file path.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "report/report.h"
#include "platform/qt/settings_store_qt.h"

namespace quarlo {
namespace {

// Points the user's configuration folder at a fresh folder for one test.
class QtSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    saved = qgetenv("XDG_CONFIG_HOME");
    hadSaved = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
    InstallQtSettingsStore();
  }
  void TearDown() override {
    SetSettingsStoreFactory(nullptr);
    if (hadSaved) {
      qputenv("XDG_CONFIG_HOME", saved);
    } else {
      qunsetenv("XDG_CONFIG_HOME");
    }
  }

  std::string Path(const char* name) const { return QFile::encodeName(folder.filePath(name)).toStdString(); }

  QTemporaryDir folder;
  QByteArray saved;
  bool hadSaved = false;
};

TEST_F(QtSettingsStoreTest, SoftwareKeyIsAPerUserStoreThatKeepsItsValues) {
  TfrxReport report(nullptr);  // IniFile "\Software\Vozarera"
  {
    std::unique_ptr<SettingsStoreBase> store = report.SettingsStore();
    EXPECT_EQ(store->ReadInteger("Form.TfrxDesignerForm", "Units", 0), 0) << "absent: 0";
    store->WriteInteger("Form.TfrxDesignerForm", "Units", 1);
  }
  EXPECT_TRUE(QFile::exists(folder.filePath("Vozarera.ini")));
  std::unique_ptr<SettingsStoreBase> again = report.SettingsStore();
  EXPECT_EQ(again->ReadInteger("Form.TfrxDesignerForm", "Units", 0), 1);
  EXPECT_EQ(again->ReadInteger("form.tfrxdesignerform", "UNITS", 0), 1) << "names ignore case";
  EXPECT_FALSE(again->ValueExists("Form.TfrxDesignerForm", "Other"));
}

TEST_F(QtSettingsStoreTest, FilePathIsReadAsAnIniFile) {
  const std::string path = Path("viewer settings.ini");
  {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Other]\nUnits=3\n[Form.TfrxDesignerForm]\nunits=1\nName=中文 名字\n[General]\nTop=7\n");
  }
  TfrxReport report(nullptr);
  report.SetIniFile(path);
  std::unique_ptr<SettingsStoreBase> store = report.SettingsStore();
  EXPECT_EQ(store->ReadInteger("Form.TfrxDesignerForm", "Units", 0), 1);
  EXPECT_EQ(store->ReadString("Form.TfrxDesignerForm", "Name", ""), "中文 名字");
  EXPECT_EQ(store->ReadInteger("General", "Top", 0), 7);
  EXPECT_EQ(store->ReadInteger("Missing", "Units", 5), 5);
  store->WriteString("Form.TfrxDesignerForm", "UNITS", "0");
  store.reset();
  EXPECT_EQ(report.SettingsStore()->ReadInteger("Form.TfrxDesignerForm", "Units", 9), 0)
      << "a write to a differently spelled key replaces the existing one";
  EXPECT_FALSE(QFile::exists(folder.filePath("Vozarera.ini"))) << "the per-user store is untouched";
}

TEST_F(QtSettingsStoreTest, NamesWithSeparatorsStayOneName) {
  std::unique_ptr<SettingsStoreBase> store = OpenSettingsStore(Path("s.ini"));
  store->WriteString("A/B", "C\\D", "x");
  EXPECT_EQ(store->ReadString("A/B", "C\\D", ""), "x");
  EXPECT_FALSE(store->ValueExists("A", "B/C\\D"));
}

TEST_F(QtSettingsStoreTest, NestedKeysMakeTheirFolders) {
  std::unique_ptr<SettingsStoreBase> store = OpenSettingsStore("\\Software\\Vozarera\\Quarlo");
  store->WriteInteger("S", "K", 2);
  store.reset();
  EXPECT_TRUE(QFile::exists(folder.filePath("Vozarera/Quarlo.ini")));
}

TEST(SettingsFilePathTest, KeysStayInsideTheConfigurationFolder) {
  const QString config = QStringLiteral("/home/u/.config");
  struct {
    const char* iniFile;
    const char* path;
  } const cases[] = {
      {"\\Software\\Vozarera", "/home/u/.config/Vozarera.ini"},
      {"\\software\\Vozarera", "/home/u/.config/Vozarera.ini"},
      {"\\Software\\Vozarera\\Quarlo", "/home/u/.config/Vozarera/Quarlo.ini"},
      {"\\Software\\..\\..\\etc\\passwd", "/home/u/.config/etc/passwd.ini"},
      {"\\Software\\a\\\\.\\b/", "/home/u/.config/a/b.ini"},
      {"\\Software\\", "/home/u/.config/Software.ini"},
      {"/tmp/quarlo.ini", "/tmp/quarlo.ini"},
      {"relative.ini", "relative.ini"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SettingsFilePath(c.iniFile, config).toStdString(), c.path) << c.iniFile;
  }
}

}  // namespace
}  // namespace quarlo
