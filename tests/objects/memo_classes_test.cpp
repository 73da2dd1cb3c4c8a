// Text objects in documents: what a complete object writes, how values read back
// (names and ordinals, text lines, restricted classes), font inheritance, and the
// compact attributes a report engine writes for the parts of a split text.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "objects/serializer.h"
#include "platform/stream.h"
#include "objects/band.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "objects/standard_classes.h"

namespace quarlo {
namespace {

class MemoClasses : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterStandardClasses(nullptr); }
};

TEST_F(MemoClasses, DefaultsAreNotWritten) {
  TfrxXMLSerializer s;
  TfrxMemoView memo(nullptr);
  EXPECT_EQ(s.WriteObjectLine(memo),
            "TfrxMemoView Left=\"0\" Top=\"0\" Width=\"0\" Height=\"0\" Text=\"\"");
  TfrxSysMemoView sys(nullptr);
  EXPECT_EQ(s.WriteObjectLine(sys),
            "TfrxSysMemoView Left=\"0\" Top=\"0\" Width=\"0\" Height=\"0\" Text=\"\"");
}

TEST_F(MemoClasses, ChangedSettingsAreWrittenUnderTheirNames) {
  struct Case {
    void (*change)(TfrxMemoView&);
    const char* attribute;
  } cases[] = {
      {[](TfrxMemoView& m) { m.SetHAlign(haRight); }, " HAlign=\"haRight\""},
      {[](TfrxMemoView& m) { m.SetWordWrap(false); }, " WordWrap=\"False\""},
      {[](TfrxMemoView& m) { m.SetGapX(3.5); }, " GapX=\"3.5\""},
      {[](TfrxMemoView& m) { m.SetGapY(0); }, " GapY=\"0\""},
      {[](TfrxMemoView& m) { m.SetLineSpacing(0); }, " LineSpacing=\"0\""},
      {[](TfrxMemoView& m) { m.SetExpressionDelimiters("<,>"); }, " ExpressionDelimiters=\"&#60;,&#62;\""},
      {[](TfrxMemoView& m) { m.SetColor(clWhite); }, " Color=\"16777215\""},
      {[](TfrxMemoView& m) { m.SetRotation(-90); }, " Rotation=\"-90\""},
      {[](TfrxMemoView& m) { m.SetShiftMode(smDontShift); }, " ShiftMode=\"smDontShift\""},
      {[](TfrxMemoView& m) { m.SetRestrictions(rfDontMove | rfDontDelete); }, " Restrictions=\"12\""},
      {[](TfrxMemoView& m) { m.DisplayFormat().SetKind(fkDateTime); },
       " DisplayFormat.Kind=\"fkDateTime\""},
  };
  for (const Case& c : cases) {
    TfrxMemoView memo(nullptr);
    c.change(memo);
    TfrxXMLSerializer s;
    const std::string attrs = s.WriteProperties(memo);
    EXPECT_NE(attrs.find(c.attribute), std::string::npos) << c.attribute << " in" << attrs;
    TfrxMemoView back(nullptr);
    s.ApplyProperties(attrs, back);
    EXPECT_EQ(s.WriteProperties(back), attrs);
  }
}

TEST_F(MemoClasses, EnumerationsReadByNameOrOrdinal) {
  struct Case {
    const char* attrs;
    TfrxHAlign hAlign;
    TfrxVAlign vAlign;
    bool error;
  } cases[] = {
      {"HAlign=\"haCenter\" VAlign=\"vaBottom\"", haCenter, vaBottom, false},
      {"HAlign=\"2\" VAlign=\"1\"", haCenter, vaBottom, false},
      {"halign=\"HABLOCK\"", haBlock, vaTop, false},
      {"HAlign=\"haMiddle\"", haLeft, vaTop, true},
      {"HAlign=\"9\" VAlign=\"vaCenter\"", haLeft, vaCenter, true},
  };
  for (const Case& c : cases) {
    TfrxMemoView memo(nullptr);
    TfrxXMLSerializer s;
    s.ApplyProperties(c.attrs, memo);
    EXPECT_EQ(memo.HAlign(), c.hAlign) << c.attrs;
    EXPECT_EQ(memo.VAlign(), c.vAlign) << c.attrs;
    EXPECT_EQ(!s.Errors().empty(), c.error) << c.attrs;
  }
}

TEST_F(MemoClasses, RotationIsKeptModulo360WithItsSign) {
  struct Case {
    const char* value;
    int stored;
  } cases[] = {{"90", 90}, {"360", 0}, {"450", 90}, {"-90", -90}, {"-450", -90}};
  for (const Case& c : cases) {
    TfrxMemoView memo(nullptr);
    TfrxXMLSerializer s;
    s.ApplyProperties(std::string("Rotation=\"") + c.value + "\"", memo);
    EXPECT_EQ(memo.Rotation(), c.stored) << c.value;
  }
}

TEST_F(MemoClasses, TextWithLineBreaksSurvivesBothForms) {
  TfrxMemoView memo(nullptr);
  memo.Memo().SetText(u"A\r\nB\r\n");
  ASSERT_EQ(memo.Memo().Count(), 2);
  TfrxXMLSerializer s;
  const std::string line = s.WriteObjectLine(memo);
  EXPECT_NE(line.find("Text=\"A&#13;&#10;B\""), std::string::npos) << line;
  std::unique_ptr<TfrxComponent> complete(s.ReadObjectLine(nullptr, line));
  EXPECT_EQ(static_cast<TfrxMemoView&>(*complete).Memo().Lines(),
            (std::vector<std::u16string>{u"A", u"B"}));

  TfrxMemoView tmpl(nullptr);
  const std::string compact = memo.WriteDifferences(tmpl);
  EXPECT_NE(compact.find(" u=\"A&#13;&#10;B\""), std::string::npos) << compact;
  std::unique_ptr<TfrxComponent> part(s.ReadObjectLine(nullptr, s.WriteObjectLine(tmpl) + compact));
  EXPECT_EQ(static_cast<TfrxMemoView&>(*part).Memo().Lines(),
            (std::vector<std::u16string>{u"A", u"B"}));
}

TEST_F(MemoClasses, HighlightIsWrittenOnlyWithACondition) {
  struct Case {
    const char* condition;
    bool written;
  } cases[] = {{"", false}, {"   ", false}, {"<Value> > 10", true}};
  for (const Case& c : cases) {
    TfrxMemoView memo(nullptr);
    memo.Highlight().SetCondition(c.condition);
    memo.Highlight().SetColor(clYellow);
    TfrxXMLSerializer s;
    const std::string attrs = s.WriteProperties(memo);
    EXPECT_EQ(attrs.find("Highlight.") != std::string::npos, c.written) << attrs;
    if (!c.written) continue;
    // The highlight font is red Arial 10 unless changed, and is written with it.
    EXPECT_NE(attrs.find("Highlight.Font.Color=\"255\""), std::string::npos) << attrs;
    TfrxMemoView back(nullptr);
    s.ApplyProperties(attrs, back);
    EXPECT_EQ(back.Highlight(), memo.Highlight());
  }
}

// The system text publishes fewer settings: the others are ignored when read.
TEST_F(MemoClasses, RestrictedTextClassIgnoresUnpublishedSettings) {
  const std::string attrs = "Wysiwyg=\"False\" LineSpacing=\"7\" WordBreak=\"True\" GapX=\"5\"";
  TfrxXMLSerializer s;
  TfrxSysMemoView sys(nullptr);
  s.ApplyProperties(attrs, sys);
  EXPECT_TRUE(sys.Wysiwyg());
  EXPECT_EQ(sys.LineSpacing(), 2);
  EXPECT_FALSE(sys.WordBreak());
  EXPECT_EQ(sys.GapX(), 5);
  TfrxMemoView memo(nullptr);
  s.ApplyProperties(attrs, memo);
  EXPECT_FALSE(memo.Wysiwyg());
  EXPECT_EQ(memo.LineSpacing(), 7);
  EXPECT_TRUE(memo.WordBreak());
}

TEST_F(MemoClasses, ParentFontFollowsThroughTheTreeAndIsNotWritten) {
  TfrxReportPage page(nullptr);
  auto* band = new TfrxMasterData(&page);
  auto* follows = new TfrxMemoView(band);
  auto* own = new TfrxMemoView(band);
  TFont f;
  f.SetName("Tahoma");
  own->SetFont(f);
  EXPECT_FALSE(own->ParentFont());

  page.Font().SetName("SimHei");
  page.Font().SetSize(16);
  EXPECT_EQ(band->Font().Name(), "SimHei");
  EXPECT_EQ(follows->Font().Name(), "SimHei");
  EXPECT_EQ(follows->Font().Size(), 16);
  EXPECT_TRUE(follows->ParentFont());
  EXPECT_EQ(own->Font().Name(), "Tahoma");

  TfrxXMLSerializer s;
  EXPECT_EQ(s.WriteProperties(*follows).find("Font."), std::string::npos);
  const std::string ownAttrs = s.WriteProperties(*own);
  EXPECT_NE(ownAttrs.find("Font.Name=\"Tahoma\""), std::string::npos) << ownAttrs;
  EXPECT_NE(ownAttrs.find("ParentFont=\"False\""), std::string::npos) << ownAttrs;
  // Font.Size is never written; the height carries the size.
  EXPECT_EQ(ownAttrs.find("Font.Size"), std::string::npos) << ownAttrs;
}

TEST_F(MemoClasses, SplitTextPartsHandTheParagraphOn) {
  TfrxMemoView tmpl(nullptr), part(nullptr);
  part.SetLastParaBreak(true);
  EXPECT_EQ(part.WriteDifferences(tmpl), " u=\"\" LastParaBreak=\"1\"");
  // The next part starts inside the paragraph the previous one ended in.
  EXPECT_TRUE(part.FirstParaBreak());
  EXPECT_FALSE(part.LastParaBreak());
  EXPECT_EQ(part.WriteDifferences(tmpl), " u=\"\" FirstParaBreak=\"1\"");
  EXPECT_FALSE(part.FirstParaBreak());
}

TEST_F(MemoClasses, TextDifferencesInTheirOrder) {
  TfrxMemoView tmpl(nullptr), memo(nullptr);
  memo.SetWordWrap(false);
  memo.SetAutoWidth(true);
  memo.SetGapY(0);
  memo.Highlight().SetActive(true);
  memo.SetParagraphGap(12);
  memo.DisplayFormat().SetThousandSeparator(" ");
  memo.Memo().SetText(u"x");
  EXPECT_EQ(memo.WriteDifferences(tmpl),
            " AutoWidth=\"1\" GapY=\"0\" Highlight.Active=\"1\" u=\"x\" ParagraphGap=\"12\""
            " WordWrap=\"0\" DisplayFormat.ThousandSeparator=\" \"");
}

TEST_F(MemoClasses, ComponentTextFillsInThePageCountOnce) {
  TfrxMemoView memo(nullptr);
  memo.Memo().SetText(u"[TOTALPAGES] of [TOTALPAGES]");
  memo.SetTotalPages(12);
  EXPECT_EQ(memo.ComponentText(), "12 of [TOTALPAGES]\r\n");
  memo.SetAllowExpressions(false);
  EXPECT_EQ(memo.ComponentText(), "[TOTALPAGES] of [TOTALPAGES]\r\n");
}

TEST_F(MemoClasses, FlowToNamesAnotherTextAndIsResolvedAfterReading) {
  TfrxReportPage page(nullptr);
  auto* band = new TfrxMasterData(&page);
  band->SetName("MasterData1");
  auto* first = new TfrxMemoView(band);
  first->SetName("Memo1");
  auto* second = new TfrxMemoView(band);
  second->SetName("Memo2");
  first->SetFlowTo(second);
  first->SetFlowTo(first);  // a text cannot flow into itself
  EXPECT_EQ(first->FlowTo(), nullptr);
  first->SetFlowTo(second);

  MemoryStream stream;
  page.SaveToStream(stream);
  stream.SetPosition(0);
  TfrxReportPage back(nullptr);
  back.LoadFromStream(stream);
  auto* m1 = As<TfrxMemoView>(back.FindObject("Memo1"));
  ASSERT_TRUE(m1);
  EXPECT_EQ(m1->FlowTo(), back.FindObject("Memo2"));
}

}  // namespace
}  // namespace quarlo
