// The alias table: sorted case-insensitively character by character, looked up
// ignoring case, and the positional rule for the one attribute of an entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/dictionary.h"
#include "platform/errors.h"

namespace quarlo {
namespace {

TEST(DictionaryTest, EntriesAreSortedAsTextSoB10ComesBeforeB2) {
  TfrxDictionary d;
  for (const char* alias : {"m2", "b2", "B10", "m10", "b1", "p1"}) d.Add(alias, "Page0.X", nullptr);
  std::vector<std::string> order;
  for (const auto& e : d.Entries()) order.push_back(e.alias);
  EXPECT_EQ(order, (std::vector<std::string>{"b1", "B10", "b2", "m10", "m2", "p1"}));
}

TEST(DictionaryTest, LookupIgnoresCaseAndTheFirstEntryOfAnAliasWins) {
  TfrxDictionary d;
  d.Add("m1", "Page0.Memo1", nullptr);
  d.Add("M1", "Page0.Memo2", nullptr);
  ASSERT_EQ(d.Count(), 1);
  ASSERT_NE(d.Find("M1"), nullptr);
  EXPECT_EQ(d.Find("M1")->sourceName, "Page0.Memo1");
  EXPECT_EQ(d.Find("m2"), nullptr);
  EXPECT_EQ(d.Find("TfrxMemoView"), nullptr);
}

TEST(DictionaryTest, SourceNameIsCutOutByPosition) {
  struct Case {
    const char* text;
    const char* sourceName;
  };
  const Case cases[] = {
      {"name=\"Page0.Memo1\"", "Page0.Memo1"},
      {"name=\"Page12.Band3\"", "Page12.Band3"},
      // Nothing is checked around it: extra text ends up in the source name.
      {"name=\"Page0.Memo1\" x=\"1\"", "Page0.Memo1\" x=\"1"},
      {" name=\"Page0.Memo1\"", "\"Page0.Memo1"},
      {"name=\"\"", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(TfrxDictionary::SourceNameOf(c.text), c.sourceName) << c.text;
  EXPECT_EQ(TfrxDictionary::AttributeText("Page3.Memo7"), "name=\"Page3.Memo7\"");
}

TEST(DictionaryTest, SourceNamesSplitAtTheFirstDotAndNeedANumberAfterFourCharacters) {
  struct Case {
    const char* sourceName;
    int page;
    const char* object;
  };
  const Case good[] = {
      {"Page0.Memo1", 0, "Memo1"},
      {"Page17.Picture2", 17, "Picture2"},
      {"page3.a.b", 3, "a.b"},
      {"Xxxx4.Memo1", 4, "Memo1"},  // the word itself is not checked
      {"Page5", 5, ""},
  };
  for (const Case& c : good) {
    const SourceName n = ParseSourceName(c.sourceName);
    EXPECT_EQ(n.pageIndex, c.page) << c.sourceName;
    EXPECT_EQ(n.objectName, c.object) << c.sourceName;
  }
  for (const char* bad : {"Page.Memo1", "PageX.Memo1", "\"Page0.Memo1", "Pg0.Memo1", "", "Page1x.M"}) {
    EXPECT_THROW(ParseSourceName(bad), EConvertError) << bad;
  }
}

}  // namespace
}  // namespace quarlo
