#include <gtest/gtest.h>

#include "objects/serializer.h"
#include "support/model_fixtures.h"

namespace quarlo {
namespace {

using testing::TTestBand;
using testing::TTestMemo;

TEST(WriteDifferences, OnlyChangedAttributesInTheirOrder) {
  struct Case {
    const char* name;
    void (*change)(TTestMemo&);
    const char* expected;
  } cases[] = {
      {"nothing", [](TTestMemo&) {}, ""},
      {"tiny float change is no change", [](TTestMemo& m) { m.SetLeft(10.00005); }, ""},
      {"geometry", [](TTestMemo& m) { m.SetBounds(12.5, 3, 40.5, 20.25); },
       " l=\"12.5\" w=\"40.5\" h=\"20.25\""},
      {"visible", [](TTestMemo& m) { m.SetVisible(false); }, " Visible=\"False\""},
      {"own font",
       [](TTestMemo& m) {
         TFont f = m.Font();
         f.SetName("A&B");
         f.SetStyle(fsBold | fsItalic);
         m.SetFont(f);
       },
       " Font.Name=\"A&#38;B\" Font.Style=\"3\" ParentFont=\"False\""},
      {"tag", [](TTestMemo& m) { m.SetTag(7); }, " Tag=\"7\""},
      {"view extension", [](TTestMemo& m) { m.Frame()->SetTyp(15); }, " Frame.Typ=\"15\""},
  };
  for (const Case& c : cases) {
    TTestMemo tmpl(nullptr), memo(nullptr);
    tmpl.SetBounds(10, 3, 40, 20);
    memo.SetBounds(10, 3, 40, 20);
    c.change(memo);
    EXPECT_EQ(memo.WriteDifferences(tmpl), c.expected) << c.name;
  }
}

TEST(WriteDifferences, BandsAlwaysWriteTop) {
  TTestBand tmpl(nullptr), band(nullptr);
  EXPECT_EQ(band.WriteDifferences(tmpl), " t=\"0\"");
}

TEST(WriteDifferences, ReadBackOnATemplateGivesTheSameObject) {
  TTestMemo tmpl(nullptr), memo(nullptr);
  tmpl.SetBounds(1, 2, 3, 4);
  memo.SetBounds(5.5, 2, 30, 4);
  memo.SetVisible(false);
  memo.Frame()->SetTyp(5);
  memo.SetTagStr("x\"y");
  TFont f;
  f.SetColor(clBlue);
  memo.SetFont(f);

  TfrxXMLSerializer s;
  std::string line = s.WriteObjectLine(tmpl) + memo.WriteDifferences(tmpl);
  testing::RegisterTestClasses();
  std::unique_ptr<TfrxComponent> back(s.ReadObjectLine(nullptr, line));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(s.WriteObjectLine(*back), s.WriteObjectLine(memo));
}

}  // namespace
}  // namespace quarlo
