// The settings store interface: number reading and which store an IniFile names.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "report/report.h"
#include "platform/settings_store.h"

namespace quarlo {
namespace {

class MapStore final : public SettingsStoreBase {
 public:
  bool ValueExists(const std::string& s, const std::string& k) const override {
    return values.count(s + "|" + k) != 0;
  }
  std::string ReadString(const std::string& s, const std::string& k,
                         const std::string& d) const override {
    const auto it = values.find(s + "|" + k);
    return it == values.end() ? d : it->second;
  }
  void WriteString(const std::string& s, const std::string& k, const std::string& v) override {
    values[s + "|" + k] = v;
  }
  std::map<std::string, std::string> values;
};

TEST(SettingsStoreTest, IntegersThatAreNoIntegersGiveTheDefault) {
  struct {
    const char* text;  // nullptr: key absent
    int expected;
  } const cases[] = {
      {"1", 1},        {"-3", -3},       {"+4", 4},         {"0", 0},
      {"2147483647", 2147483647},        {"2147483648", 9}, {"99999999999999999999", 9},
      {"", 9},         {" 5", 9},        {"5 ", 9},         {"abc", 9},
      {"1.5", 9},      {"0x10", 9},      {"-", 9},          {nullptr, 9},
  };
  for (const auto& c : cases) {
    MapStore store;
    if (c.text) store.WriteString("Form.TfrxDesignerForm", "Units", c.text);
    EXPECT_EQ(store.ReadInteger("Form.TfrxDesignerForm", "Units", 9), c.expected)
        << (c.text ? c.text : "(absent)");
  }
}

TEST(SettingsStoreTest, IntegersAndBooleansRoundTrip) {
  MapStore store;
  for (int value : {0, 1, -1, 2147483647, -2147483647 - 1}) {
    store.WriteInteger("S", "K", value);
    EXPECT_EQ(store.ReadInteger("S", "K", 42), value);
  }
  store.WriteBool("S", "B", true);
  EXPECT_TRUE(store.ReadBool("S", "B", false));
  store.WriteBool("S", "B", false);
  EXPECT_FALSE(store.ReadBool("S", "B", true));
  EXPECT_TRUE(store.ReadBool("S", "absent", true));
}

TEST(SettingsStoreTest, KeyFormIsTheSoftwarePrefix) {
  struct {
    const char* iniFile;
    bool key;
  } const cases[] = {
      {"\\Software\\Vozarera", true}, {"\\software\\Vozarera", true}, {"\\Software\\", true},
      {"\\Software", false},          {"Software\\Vozarera", false},  {"/home/u/q.ini", false},
      {"q.ini", false},               {"", false},                    {"\\Softwares\\x", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsSettingsKey(c.iniFile), c.key) << c.iniFile;
}

TEST(SettingsStoreTest, ReportOpensTheStoreItsIniFileNames) {
  std::vector<std::string> opened;
  SetSettingsStoreFactory([&opened](const std::string& iniFile) -> std::unique_ptr<SettingsStoreBase> {
    opened.push_back(iniFile);
    auto store = std::make_unique<MapStore>();
    store->WriteString("Form.TfrxDesignerForm", "Units", "1");
    return store;
  });
  TfrxReport report(nullptr);
  EXPECT_EQ(report.SettingsStore()->ReadInteger("Form.TfrxDesignerForm", "Units", 0), 1);
  report.SetIniFile("/tmp/quarlo.ini");
  report.SettingsStore();
  EXPECT_EQ(opened, (std::vector<std::string>{"\\Software\\Vozarera", "/tmp/quarlo.ini"}));

  // Nothing installed (or a factory that gives nothing): a store that keeps nothing.
  SetSettingsStoreFactory([](const std::string&) { return std::unique_ptr<SettingsStoreBase>(); });
  std::unique_ptr<SettingsStoreBase> empty = report.SettingsStore();
  ASSERT_NE(empty, nullptr);
  empty->WriteInteger("Form.TfrxDesignerForm", "Units", 1);
  EXPECT_EQ(empty->ReadInteger("Form.TfrxDesignerForm", "Units", 0), 0);
  SetSettingsStoreFactory(nullptr);
  EXPECT_NE(OpenSettingsStore("\\Software\\Vozarera"), nullptr);
}

}  // namespace
}  // namespace quarlo
