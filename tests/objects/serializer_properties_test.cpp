#include <gtest/gtest.h>

#include "objects/serializer.h"
#include "support/model_fixtures.h"
#include "objects/wide_strings.h"
#include "platform/codepage.h"

namespace quarlo {
namespace {

using testing::TTestBand;
using testing::TTestMemo;
using testing::TTestPage;

TEST(WriteProperties, DefaultsAreLeftOutFloatsAndMissingDefaultsAlwaysWritten) {
  TTestMemo memo(nullptr);
  TfrxXMLSerializer s;
  // Floats without default always; frame width at its default, empty strings and the
  // font of a ParentFont object never; the text of a text object always.
  EXPECT_EQ(s.WriteProperties(memo), " Left=\"0\" Top=\"0\" Width=\"0\" Height=\"0\" Text=\"\"");
}

TEST(WriteProperties, EachKindSpelledByTheDocumentRules) {
  struct Case {
    const char* name;
    void (*change)(TTestMemo&);
    const char* contains;
    const char* absent = nullptr;
  } cases[] = {
      {"enumeration by name", [](TTestMemo& m) { m.SetHAlign(testing::thRight); },
       " HAlign=\"thRight\""},
      {"boolean by name", [](TTestMemo& m) { m.SetWordWrap(false); }, " WordWrap=\"False\""},
      {"set as mask", [](TTestMemo& m) { m.Frame()->SetTyp(1 | 8); }, " Frame.Typ=\"9\""},
      {"float default", [](TTestMemo& m) { m.SetGapX(2.5); }, " GapX=\"2.5\""},
      {"nested sub-object", [](TTestMemo& m) { m.Frame()->LeftLine()->SetWidth(3); },
       " Frame.LeftLine.Width=\"3\""},
      {"frame setter moves line along, line not written",
       [](TTestMemo& m) { m.Frame()->SetWidth(2); }, " Frame.Width=\"2\"", "LeftLine"},
      {"string escaped", [](TTestMemo& m) { m.SetTagStr("a<\"b\">"); },
       " TagStr=\"a&#60;&#34;b&#34;&#62;\""},
      {"font when not parent font",
       [](TTestMemo& m) {
         TFont f;
         f.SetName("Tahoma");
         m.SetFont(f);
       },
       " Font.Charset=\"1\" Font.Color=\"0\" Font.Height=\"-13\" Font.Name=\"Tahoma\" "
       "Font.Style=\"0\" ParentFont=\"False\""},
      {"memo text with CR LF, trailing break removed",
       [](TTestMemo& m) { m.Memo()->SetText(u"A\r\nB\r\n"); }, " Text=\"A&#13;&#10;B\""},
  };
  for (const Case& c : cases) {
    TTestMemo memo(nullptr);
    c.change(memo);
    TfrxXMLSerializer s;
    std::string text = s.WriteProperties(memo);
    EXPECT_NE(text.find(c.contains), std::string::npos) << c.name << ": " << text;
    if (c.absent) {
      EXPECT_EQ(text.find(c.absent), std::string::npos) << c.name << ": " << text;
    }
  }
}

TEST(WriteProperties, StringListsAreAlwaysWrittenAsText) {
  TTestPage page(nullptr);
  TfrxXMLSerializer s;
  EXPECT_NE(s.WriteProperties(page).find(" HGuides.Text=\"\""), std::string::npos);
  page.HGuides()->SetText("1\r\n2\r\n");
  EXPECT_NE(s.WriteProperties(page).find(" HGuides.Text=\"1&#13;&#10;2\""), std::string::npos);
}

TEST(WriteProperties, CodePageStringsChooseBytesOrUtf8) {
  TTestMemo memo(nullptr);
  memo.SetTagStr("\xC4\xE3");  // two code page 936 bytes
  memo.SetHint(u"\u4F60");
  TfrxXMLSerializer s;
  s.CodePageStrings = true;
  std::string bytes = s.WriteProperties(memo);
  EXPECT_NE(bytes.find(" Hint=\"\xC4\xE3\""), std::string::npos);
  EXPECT_NE(bytes.find(" TagStr=\"\xC4\xE3\""), std::string::npos);
  s.CodePageStrings = false;
  std::string utf8 = s.WriteProperties(memo);
  EXPECT_NE(utf8.find(" Hint=\"\xE4\xBD\xA0\""), std::string::npos);
  EXPECT_NE(utf8.find(" TagStr=\"\xE4\xBD\xA0\""), std::string::npos);
}

TEST(WriteProperties, AgainstATemplateOnlyDifferencesAndNilForALostReference) {
  TTestPage page(nullptr);
  auto* tmpl = new TTestMemo(&page);
  auto* memo = new TTestMemo(&page);
  auto* target = new TTestMemo(&page);
  target->SetName("Target");
  tmpl->SetFlowTo(target);
  tmpl->SetBounds(1, 2, 3, 4);
  memo->SetBounds(1, 2.0000001, 3.5, 4);  // below the template distance for Top
  tmpl->Memo()->SetText(u"same");
  memo->Memo()->SetText(u"same");
  TfrxXMLSerializer s;
  s.Owner = &page;
  EXPECT_EQ(s.WriteProperties(*memo, "", tmpl), " Width=\"3.5\" FlowTo=\"nil\"");
  memo->SetFlowTo(target);
  EXPECT_EQ(s.WriteProperties(*memo, "", tmpl), " Width=\"3.5\"");
}

TEST(WriteProperties, DefaultWritingFlagWritesEverything) {
  TTestMemo memo(nullptr);
  TfrxXMLSerializer s;
  s.SerializeDefaultValues = true;
  std::string text = s.WriteProperties(memo);
  for (const char* part : {" Tag=\"0\"", " Align=\"baNone\"", " GapX=\"2\"", " WordWrap=\"True\"",
                           " Frame.Width=\"1\"", " TagStr=\"\""}) {
    EXPECT_NE(text.find(part), std::string::npos) << part;
  }
}

TEST(ApplyProperties, EveryAttributeFormReachesItsProperty) {
  testing::RegisterTestClasses();
  TTestMemo memo(nullptr);
  TfrxXMLSerializer s;
  s.ApplyProperties(
      "Left=\"12,5\" t=\"3.5\" w=\"40\" h=\"20\" HAlign=\"thCenter\" WordWrap=\"0\" "
      "Frame.Typ=\"255\" Frame.LeftLine.Width=\"4\" Font.Style=\"3\" Font.Name=\"Courier\" "
      "GapX=\" 1 ,5\" Rotation=\"370\" TagStr=\"a&#38;b\" Visible=\"False\"",
      memo);
  EXPECT_TRUE(s.Errors().empty());
  EXPECT_DOUBLE_EQ(memo.Left(), 12.5);
  EXPECT_DOUBLE_EQ(memo.Top(), 3.5);
  EXPECT_DOUBLE_EQ(memo.Width(), 40);
  EXPECT_DOUBLE_EQ(memo.Height(), 20);
  EXPECT_EQ(memo.HAlign(), testing::thCenter);
  EXPECT_FALSE(memo.WordWrap());
  EXPECT_EQ(memo.Frame()->Typ(), 15);  // only the four members
  EXPECT_DOUBLE_EQ(memo.Frame()->LeftLine()->Width(), 4);
  EXPECT_EQ(memo.Font().Style(), fsBold | fsItalic);
  EXPECT_EQ(memo.Font().Name(), "Courier");
  EXPECT_FALSE(memo.ParentFont());  // changing the font turns it off
  EXPECT_DOUBLE_EQ(memo.GapX(), 1.5);
  EXPECT_EQ(memo.Rotation(), 10);
  EXPECT_EQ(memo.TagStr(), "a&b");
  EXPECT_FALSE(memo.Visible());
}

TEST(ApplyProperties, EnumerationByOrdinalOrNameAndBooleanOne) {
  struct Case {
    const char* text;
    int align;
    bool wrap;
  } cases[] = {
      {"HAlign=\"thRight\" WordWrap=\"False\"", testing::thRight, false},
      {"HAlign=\"1\" WordWrap=\"1\"", testing::thRight, true},
      {"halign=\"THBLOCK\" wordwrap=\"true\"", testing::thBlock, true},
  };
  for (const Case& c : cases) {
    TTestMemo memo(nullptr);
    memo.SetWordWrap(!c.wrap);
    TfrxXMLSerializer s;
    s.ApplyProperties(c.text, memo);
    EXPECT_EQ(memo.HAlign(), c.align) << c.text;
    EXPECT_EQ(memo.WordWrap(), c.wrap) << c.text;
  }
}

TEST(ApplyProperties, TextAttributesOnListsAndTextObjects) {
  TTestMemo memo(nullptr);
  TfrxXMLSerializer s;
  s.ApplyProperties("Text=\"A&#13;&#10;\xE4\xBD\xA0\"", memo);
  EXPECT_EQ(memo.Memo()->Lines(), (std::vector<std::u16string>{u"A", u"\u4F60"}));
  s.ApplyProperties("u=\"x&#10;y\"", memo);
  EXPECT_EQ(memo.Memo()->Lines(), (std::vector<std::u16string>{u"x", u"y"}));
  s.ApplyProperties("x=\"\xC4\xE3\"", memo);  // system code page text
  EXPECT_EQ(memo.Memo()->Lines(), std::vector<std::u16string>{u"\u4F60"});
  s.ApplyProperties("Memo.Text=\"\xC4\xE3&#13;&#10;b\"", memo);  // the wide list: code page
  EXPECT_EQ(memo.Memo()->Lines(), (std::vector<std::u16string>{u"\u4F60", u"b"}));

  TTestPage page(nullptr);
  s.CodePageStrings = true;
  s.ApplyProperties("HGuides.Text=\"\xC4\xE3\"", page);
  EXPECT_EQ(page.HGuides()->Get(0), "\xC4\xE3");
  s.CodePageStrings = false;
  s.ApplyProperties("HGuides.Text=\"\xE4\xBD\xA0\"", page);
  EXPECT_EQ(page.HGuides()->Get(0), "\xC4\xE3");
  // u and x mean nothing to objects without text.
  s.ApplyProperties("u=\"zzz\" x=\"zzz\"", page);
  EXPECT_TRUE(s.Errors().empty());
}

TEST(ApplyProperties, CodePageStringsDecideHowStringBytesAreTaken) {
  TTestMemo memo(nullptr);
  TfrxXMLSerializer s;
  s.CodePageStrings = true;
  s.ApplyProperties("TagStr=\"\xC4\xE3\" Hint=\"\xC4\xE3\"", memo);
  EXPECT_EQ(memo.TagStr(), "\xC4\xE3");
  EXPECT_EQ(memo.Hint(), u"\u4F60");
  s.CodePageStrings = false;
  s.ApplyProperties("TagStr=\"\xE4\xBD\xA0\" Hint=\"\xE4\xBD\xA0\"", memo);
  EXPECT_EQ(memo.TagStr(), "\xC4\xE3");
  EXPECT_EQ(memo.Hint(), u"\u4F60");
}

TEST(ApplyProperties, BadValuesAreCollectedSortedOnceAndReadingGoesOn) {
  TTestMemo memo(nullptr);
  TfrxXMLSerializer s;
  s.ApplyProperties(
      "Left=\"abc\" HAlign=\"thNowhere\" Top=\"abc\" Left=\"abc\" Rotation=\"1.5\" Width=\"7\" "
      "NoSuchProperty=\"1\" Frame.NoSuch=\"1\" NoSuch.Width=\"1\" TagStr.Width=\"1\" "
      "HAlign=\"9\" Height=\"8\"",
      memo);
  std::vector<std::string> errors(s.Errors().begin(), s.Errors().end());
  EXPECT_EQ(errors, (std::vector<std::string>{"'1.5' is not a valid integer value",
                                              "'abc' is not a valid floating point value",
                                              "Invalid property value"}));
  EXPECT_DOUBLE_EQ(memo.Width(), 7);
  EXPECT_DOUBLE_EQ(memo.Height(), 8);
  EXPECT_EQ(memo.HAlign(), testing::thLeft);
}

TEST(ApplyProperties, MalformedTextStopsWithoutHarm) {
  for (const char* text : {"", "   ", "Left", "Left=", "Left=\"1", "=\"1\"", "Left=\"5\" Top"}) {
    TTestMemo memo(nullptr);
    TfrxXMLSerializer s;
    s.ApplyProperties(text, memo);
    EXPECT_TRUE(s.Errors().empty()) << text;
  }
  TTestMemo memo(nullptr);
  TfrxXMLSerializer s;
  s.ApplyProperties("Left=\"5\" Top", memo);
  EXPECT_DOUBLE_EQ(memo.Left(), 5);
}

TEST(PropData, CustomBinaryDataRoundTripsAndComparesByChecksum) {
  TTestMemo memo(nullptr), tmpl(nullptr);
  memo.Blob = std::string("\x00\x01\xFFpng", 6);
  TfrxXMLSerializer s;
  std::string text = s.WriteProperties(memo);
  EXPECT_NE(text.find(" PropData=\"04426C6F620A060000000001FF706E67\""), std::string::npos)
      << text;
  TTestMemo back(nullptr);
  s.ApplyProperties(text, back);
  EXPECT_EQ(back.Blob, memo.Blob);
  tmpl.Blob = memo.Blob;
  EXPECT_EQ(s.WriteProperties(memo, "", &tmpl).find("PropData"), std::string::npos);
  tmpl.Blob = "other";
  EXPECT_NE(s.WriteProperties(memo, "", &tmpl).find("PropData"), std::string::npos);
  // Lower-case hex reads too; garbage ends the attribute silently.
  TTestMemo lower(nullptr);
  s.ApplyProperties("PropData=\"04426c6f620a0100000041\"", lower);
  EXPECT_EQ(lower.Blob, "A");
  s.ApplyProperties("PropData=\"04426C6F620AFFFFFFFF41\" Left=\"3\"", lower);
  EXPECT_EQ(lower.Blob, "A");
  EXPECT_DOUBLE_EQ(lower.Left(), 3);
  EXPECT_TRUE(s.Errors().empty());
}

TEST(References, ResolvedAfterReadingAndTypeChecked) {
  TTestPage page(nullptr);
  auto* a = new TTestMemo(&page);
  auto* b = new TTestMemo(&page);
  auto* band = new TTestBand(&page);
  b->SetName("MemoB");
  band->SetName("Band1");
  TfrxXMLSerializer s;
  s.Owner = &page;
  s.ApplyProperties("FlowTo=\"memob\"", *a);
  EXPECT_EQ(a->FlowTo(), nullptr);  // pending until resolved
  s.ResolveReferences();
  EXPECT_EQ(a->FlowTo(), b);
  s.ApplyProperties("FlowTo=\"Band1\"", *a);  // wrong class: unchanged
  s.ResolveReferences();
  EXPECT_EQ(a->FlowTo(), b);
  s.ApplyProperties("FlowTo=\"Missing\"", *a);  // missing: silently unchanged
  s.ResolveReferences();
  EXPECT_EQ(a->FlowTo(), b);
  s.ApplyProperties("FlowTo=\"nil\"", *a);
  s.ResolveReferences();
  EXPECT_EQ(a->FlowTo(), nullptr);
  EXPECT_TRUE(s.Errors().empty());
}

}  // namespace
}  // namespace quarlo
