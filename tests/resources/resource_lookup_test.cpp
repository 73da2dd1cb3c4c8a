// Lookup and loading rules of the resource-string table: names ignore case, the "!"
// mark never reaches the user, a missing name answers with itself, table texts are
// unescaped twice and decoded as UTF-8, and a later table replaces earlier texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "xml/xml_document.h"
#include "resources/resources.h"

namespace quarlo {
namespace {

std::string Table(const std::string& codePage, const std::string& entries) {
  return "<?xml version=\"1.1\" encoding=\"utf-8\"?><Resources" + codePage + ">" + entries + "</Resources>";
}

std::string Entry(const std::string& name, const std::string& storedText) {
  return "<StrRes Name=\"" + name + "\" Text=\"" + storedText + "\"/>";
}

struct LookupCase {
  const char* asked;
  const char* expected;
};

TEST(ResourceLookup, TheProcessTableAnswersAsTheScreensExpect) {
  const LookupCase cases[] = {
      {"clPageOf", "页 %d / %d"},
      {"clpageof", "页 %d / %d"},       // names ignore case
      {"CLPAGEOF", "页 %d / %d"},
      {"207", "其它"},                   // stored as "!其它"
      {"poReverse", "反转 (9-1)"},       // stored with "!" too
      {"204", "自动分页(&T)"},           // stored as "&amp;T"
      {"clDSNotExist", "数据库 \"%s\" 不存在"},  // stored as "&#38;#34;" twice unescaped
      {"mbError", "错误"},
      {"prDupl", "prDupl"},              // requested by the system, not in the table
      {"obBarC", "obBarC"},
      {"Invalid password", "Invalid password"},
      {"", ""},
      {"propColor.TFont", "字体的颜色"},  // the second table is loaded as well
  };
  for (const LookupCase& c : cases) EXPECT_EQ(frxResources().Get(c.asked), c.expected) << c.asked;
  EXPECT_EQ(frxResources().GetNumbered(215), "215");  // the table jumps from 214 to 216
  EXPECT_EQ(frxResources().GetNumbered(216), "双份");
  EXPECT_EQ(frxResources().GetNumbered(1), "确定");
  EXPECT_EQ(frxResources().GetNumbered(-1), "-1");
  EXPECT_EQ(frxResources().GetUnicode("207"), u"其它");
  EXPECT_EQ(frxResources().GetUnicode("missing.name"), u"missing.name");
}

struct LoadCase {
  const char* what;
  std::string storedText;  // attribute text as written in the table
  std::u16string expected;  // GetUnicode after loading
};

TEST(ResourceLookup, TableTextsAreUnescapedTwiceAndReadAsUtf8) {
  const LoadCase cases[] = {
      {"plain UTF-8", "页 %d", u"页 %d"},
      {"named reference", "a&amp;b", u"a&b"},
      {"reference inside a reference", "&#38;#34;q&#38;#34;", u"\"q\""},
      {"escaped less-than twice", "&#38;lt;", u"<"},
      {"lone ampersand survives both passes", "A &amp; B", u"A & B"},
      {"only the first exclamation mark goes", "!!twice", u"!twice"},
      {"exclamation mark inside stays", "a!b", u"a!b"},
      {"four-byte UTF-8", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"bad UTF-8 becomes a replacement", "x\xC3(y", u"x\uFFFD(y"},
      {"truncated sequence at the end", "z\xE4\xB8", u"z\uFFFD"},
      {"overlong form is not a slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"empty", "", u""},
  };
  for (const LoadCase& c : cases) {
    TfrxResources resources;
    resources.LoadTable(Table(" CodePage=\"936\"", Entry("t", c.storedText)));
    EXPECT_EQ(resources.GetUnicode("t"), c.expected) << c.what;
    EXPECT_EQ(resources.Count(), 1) << c.what;
  }
}

TEST(ResourceLookup, OnlyTheExactRootAndEntryNamesCount) {
  struct Case {
    const char* what;
    std::string table;
    int count;
  };
  const Case cases[] = {
      {"root in other case adds nothing",
       "<?xml version=\"1.0\"?><resources CodePage=\"1252\">" + Entry("a", "x") + "</resources>", 0},
      {"other root adds nothing", "<?xml version=\"1.0\"?><Strings CodePage=\"1252\">" + Entry("a", "x") + "</Strings>", 0},
      {"entries in other case are skipped",
       Table(" CodePage=\"1252\"", "<strres Name=\"a\" Text=\"x\"/>" + Entry("b", "y")), 1},
      {"other children are skipped",
       Table(" CodePage=\"1252\"", "<Comment Text=\"x\"/>" + Entry("b", "y") + "<Group><StrRes Name=\"c\" Text=\"z\"/></Group>"), 1},
      {"an entry without a name is stored under the empty name", Table(" CodePage=\"1252\"", "<StrRes Text=\"x\"/>"), 1},
  };
  for (const Case& c : cases) {
    TfrxResources resources;
    resources.LoadTable(c.table);
    EXPECT_EQ(resources.Count(), c.count) << c.what;
    EXPECT_EQ(resources.CodePage(), c.count > 0 ? 1252 : 0) << c.what;
  }
}

TEST(ResourceLookup, CodePageMustBeADecimalNumberBeforeAnythingIsAdded) {
  const char* const bad[] = {"", " CodePage=\"\"", " CodePage=\"cp936\"", " CodePage=\"93 6\"",
                             " CodePage=\"99999999999\"", " codepage-x=\"936\""};
  for (const char* attribute : bad) {
    TfrxResources resources;
    EXPECT_THROW(resources.LoadTable(Table(attribute, Entry("a", "x"))), EConvertError) << attribute;
    EXPECT_EQ(resources.Count(), 0) << attribute;
  }
  TfrxResources resources;
  resources.LoadTable(Table(" codepage=\"65001\"", ""));  // attribute names ignore case
  EXPECT_EQ(resources.CodePage(), 65001);
}

TEST(ResourceLookup, MalformedTablesRaiseTheReaderError) {
  TfrxResources resources;
  EXPECT_THROW(resources.LoadTable(""), TfrxInvalidXMLException);
  EXPECT_THROW(resources.LoadTable("<Resources CodePage=\"936\"/>"), TfrxInvalidXMLException);  // no header
  EXPECT_THROW(resources.LoadTable("<?xml version=\"1.0\"?><Resources CodePage=\"936\"><StrRes </Resources>"),
               TfrxInvalidXMLException);
  EXPECT_EQ(resources.Count(), 0);
}

TEST(ResourceLookup, ALaterTableReplacesTextsAndSetsTheCodePage) {
  TfrxResources resources;
  resources.LoadTable(Table(" CodePage=\"936\"", Entry("mbError", "错误") + Entry("Keep", "留")));
  resources.LoadTable(Table(" CodePage=\"1252\"", Entry("MBERROR", "Error") + Entry("New", "n")));
  EXPECT_EQ(resources.Get("mbError"), "Error");
  EXPECT_EQ(resources.Get("keep"), "留");
  EXPECT_EQ(resources.Count(), 3);
  EXPECT_EQ(resources.CodePage(), 1252);

  resources.SetString("new", u"replaced");
  resources.SetString("Added", "新");
  EXPECT_EQ(resources.Get("NEW"), "replaced");
  EXPECT_EQ(resources.Get("added"), "新");
  EXPECT_EQ(resources.Count(), 4);
}

TEST(ResourceLookup, ScriptMessagesFollowTheLastLoadedTable) {
  TfrxResources resources;
  EXPECT_EQ(resources.ScriptMessage("SForError"), "");
  resources.LoadTable(Table(" CodePage=\"936\"", Entry("SForError", "旧") + Entry("SEventError", "事件")));
  EXPECT_EQ(resources.ScriptMessage("SForError"), "旧");
  EXPECT_EQ(resources.ScriptMessage("sforerror"), "旧");
  EXPECT_EQ(resources.ScriptMessage("SLangNotFound"), "SLangNotFound");  // missing: its own name
  resources.LoadTable(Table(" CodePage=\"936\"", Entry("sforerror", "新")));
  EXPECT_EQ(resources.ScriptMessage("SForError"), "新");
  EXPECT_EQ(resources.ScriptMessage("SEventError"), "事件");
  EXPECT_EQ(resources.ScriptMessage("mbError"), "");  // not a script message
}

TEST(ResourceLookup, ManyNamesInAnyOrderStayFindable) {
  std::vector<std::string> names;
  for (int i = 0; i < 600; ++i) names.push_back((i % 3 == 0 ? "Name" : i % 3 == 1 ? "name_" : "N") + std::to_string(i * 7919 % 1000));
  std::mt19937 random(42);
  std::shuffle(names.begin(), names.end(), random);
  TfrxResources resources;
  for (const std::string& name : names) resources.SetString(name, "v" + name);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  EXPECT_EQ(resources.Count(), static_cast<int>(names.size()));
  for (std::string name : names) {
    std::string upper = name;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(resources.Get(upper), "v" + name);
  }
  EXPECT_FALSE(resources.Contains("Name"));
  EXPECT_FALSE(resources.Contains("name_1000"));
}

TEST(ResourceLookup, CompareNamesIgnoresOnlyAsciiCase) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  const Case cases[] = {{"abc", "ABC", 0}, {"a", "b", -1}, {"B", "a", 1}, {"ab", "abc", -1},
                        {"_", "a", -1},     // '_' sorts before the letters of either case
                        {"\xC3\xA9", "\xC3\x89", 1}};  // é and É stay different bytes
  for (const Case& c : cases) {
    const int result = CompareResourceNames(c.a, c.b);
    EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " vs " << c.b;
  }
}

TEST(ResourceLookup, ErrorMessagesWithoutAWindowSystemGoToStandardError) {
  TfrxResources::SetErrorBoxHandler(nullptr);
  testing::internal::CaptureStderr();
  frxResources().ShowErrorMsg("磁盘已满");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "错误: 磁盘已满\n");

  std::string caption, message;
  TfrxResources::SetErrorBoxHandler([&](const std::string& c, const std::string& m) { caption = c, message = m; });
  frxResources().ShowErrorMsg("x");
  TfrxResources::SetErrorBoxHandler(nullptr);
  EXPECT_EQ(caption, "错误");
  EXPECT_EQ(message, "x");
}

TEST(ResourceLookup, HelpGoesToTheInstalledHandlerWithTheGuideForEveryForm) {
  std::vector<std::string> opened;
  frxResources().ShowHelp("TfrxPreviewForm");  // no handler: nothing happens
  TfrxResources::SetHelpHandler([&](const std::string& location) { opened.push_back(location); });
  frxResources().ShowHelp("TfrxPreviewForm");
  frxResources().ShowHelp("TfrxPrintDialog");
  TfrxResources::SetHelpHandler(nullptr);
  EXPECT_EQ(opened, (std::vector<std::string>{"quarlo-help.html", "quarlo-help.html"}));
}

}  // namespace
}  // namespace quarlo
