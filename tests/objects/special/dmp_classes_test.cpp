// Dot-matrix pages and objects: the character grid, the font rule, and what they
// write into documents.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "objects/serializer.h"
#include "platform/stream.h"
#include "objects/band.h"
#include "objects/special/dmp_classes.h"
#include "objects/special/dmp_command.h"
#include "objects/special/dmp_grid.h"
#include "objects/special/dmp_line_view.h"
#include "objects/special/dmp_memo_view.h"
#include "objects/special/dmp_page.h"
#include "objects/standard_classes.h"
#include "support/published_values.h"

namespace quarlo {
namespace {

class DotMatrixClasses : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterStandardClasses(nullptr);
    RegisterDotMatrixClasses();
  }
};

TEST_F(DotMatrixClasses, ObjectsSnapToTheCharacterGridWhenRead) {
  struct Case {
    const char* cls;
    const char* attrs;
    double left, top, width, height;
  } cases[] = {
      {"TfrxDMPMemoView", "Left=\"100\" Top=\"30\" Width=\"50\" Height=\"25\"", 96, 34, 48, 17},
      {"TfrxDMPMemoView", "Left=\"105\" Top=\"8\" Width=\"4.7\" Height=\"9\"", 105.6, 0, 0, 17},
      {"TfrxDMPMemoView", "Align=\"baRight\" Left=\"100\" Top=\"0\" Width=\"0\" Height=\"0\"", 96, 0, 0, 0},
      {"TfrxDMPMemoView", "Align=\"baRight\" Left=\"105\" Top=\"0\" Width=\"0\" Height=\"0\"", 96, 0, 0, 0},
      // Lines run through the middle of the cells; their height is free.
      {"TfrxDMPLineView", "Left=\"100\" Top=\"30\" Width=\"14\" Height=\"3\"", 100.8, 25.5, 9.6, 3},
      {"TfrxDMPLineView", "Left=\"-10\" Top=\"0\" Width=\"0\" Height=\"0\"", -14.4, 8.5, 0, 0},
      {"TfrxDMPLineView", "Align=\"baRight\" Left=\"100\" Top=\"17\" Width=\"0\" Height=\"0\"", 91.2, 25.5, 0, 0},
      {"TfrxDMPLineView", "Align=\"baWidth\" Left=\"0\" Top=\"0\" Width=\"19\" Height=\"0\"", 4.8, 8.5, 9.6, 0},
      {"TfrxDMPCommand", "Left=\"14\" Top=\"9\" Width=\"3\" Height=\"4\"", 9.6, 17, 3, 4},
  };
  for (const Case& c : cases) {
    TfrxXMLSerializer s;
    std::unique_ptr<TfrxComponent> o(s.ReadObjectLine(nullptr, std::string(c.cls) + " " + c.attrs));
    SCOPED_TRACE(std::string(c.cls) + " " + c.attrs);
    EXPECT_NEAR(o->Left(), c.left, 1e-9);
    EXPECT_NEAR(o->Top(), c.top, 1e-9);
    EXPECT_NEAR(o->Width(), c.width, 1e-9);
    EXPECT_NEAR(o->Height(), c.height, 1e-9);
    // Already on the grid: setting the same values again moves nothing.
    const double l = o->Left(), t = o->Top(), w = o->Width();
    o->SetBounds(l, t, w, o->Height());
    EXPECT_EQ(o->Left(), l);
    EXPECT_EQ(o->Top(), t);
    EXPECT_EQ(o->Width(), w);
  }
}

TEST_F(DotMatrixClasses, PagePaperSnapsToWholeCells) {
  TfrxXMLSerializer s;
  TfrxDMPPage page(nullptr);
  s.ApplyProperties("PaperWidth=\"210\" PaperHeight=\"297\"", page);
  EXPECT_NEAR(page.PaperWidth(), 210.82, 0.001);   // 83 cells of 2.54 mm
  EXPECT_NEAR(page.PaperHeight(), 296.862, 0.001);  // 66 rows
  EXPECT_EQ(page.Width(), std::nearbyint(page.PaperWidth() * fr01cm));
  TfrxDMPPage a4(nullptr);
  EXPECT_NEAR(a4.PaperWidth(), 210.82, 0.001) << "a new page is on the grid too";
  a4.SetPaperSize(11);
  EXPECT_NEAR(a4.PaperWidth(), 147.32, 0.001);  // 148 mm -> 58 cells
  // Bands on a dot-matrix page snap as well.
  auto* band = new TfrxMasterData(&page);
  band->SetBounds(5, 20, 100, 30);
  EXPECT_NEAR(band->Left(), 9.6, 1e-9);
  EXPECT_EQ(band->Top(), 17);
  EXPECT_EQ(band->Height(), 34);
}

TEST_F(DotMatrixClasses, FontStyleFollowsThePage) {
  TfrxDMPPage page(nullptr);
  EXPECT_EQ(page.Font().Name(), "Courier New");
  EXPECT_EQ(page.Font().Size(), 12);
  auto* band = new TfrxMasterData(&page);
  auto* follows = new TfrxDMPMemoView(band);
  auto* own = new TfrxDMPMemoView(band);
  own->SetFontStyle(fsxBold | fsxCondensed);
  EXPECT_FALSE(own->ParentFont());
  EXPECT_EQ(own->Font().Style(), fsBold);
  EXPECT_EQ(own->GapX(), 0);
  EXPECT_EQ(own->LineSpacing(), 1);

  page.SetFontStyle(fsxItalic);
  EXPECT_EQ(follows->FontStyle(), fsxItalic);
  EXPECT_EQ(follows->Font().Style(), fsItalic);
  EXPECT_TRUE(follows->ParentFont());
  EXPECT_EQ(own->FontStyle(), fsxBold | fsxCondensed);
  EXPECT_EQ(own->Font().Style(), fsBold);

  // A new object on the page starts with the page's style.
  auto* later = new TfrxDMPLineView(band);
  EXPECT_EQ(later->FontStyle(), fsxItalic);
}

TEST_F(DotMatrixClasses, WrittenAttributes) {
  TfrxXMLSerializer s;
  TfrxDMPMemoView memo(nullptr);
  // TruncOutboundText has no default and is always written; FontStyle only with an own font.
  EXPECT_EQ(s.WriteObjectLine(memo),
            "TfrxDMPMemoView Left=\"0\" Top=\"0\" Width=\"0\" Height=\"0\""
            " TruncOutboundText=\"False\" Text=\"\"");
  memo.SetFontStyle(fsxUnderline | fsx15cpi);
  EXPECT_NE(s.WriteProperties(memo).find(" FontStyle=\"260\""), std::string::npos);

  TfrxDMPMemoView tmpl(nullptr);
  const std::string diff = memo.WriteDifferences(tmpl);
  EXPECT_EQ(diff.substr(diff.size() - std::string(" FontStyle=\"260\"").size()), " FontStyle=\"260\"")
      << diff;

  TfrxDMPCommand cmd(nullptr), cmdTmpl(nullptr);
  cmd.SetCommand("\x1b@<");
  EXPECT_EQ(cmd.WriteDifferences(cmdTmpl), " Command=\"\x1b@&#60;\"");
}

TEST_F(DotMatrixClasses, PageTreeReadsBack) {
  TfrxDMPPage page(nullptr);
  page.SetFontStyle(fsxBold);
  page.SetPaperWidth(100);
  auto* band = new TfrxMasterData(&page);
  band->SetName("MasterData1");
  band->SetBounds(0, 17, 500, 34);
  auto* memo = new TfrxDMPMemoView(band);
  memo->SetName("DMPMemo1");
  memo->SetBounds(9.6, 0, 96, 17);
  memo->Memo().SetText(u"TOTAL");
  memo->SetTruncOutboundText(true);
  auto* line = new TfrxDMPLineView(band);
  line->SetName("DMPLine1");
  line->SetFontStyle(fsxWide);
  auto* cmd = new TfrxDMPCommand(band);
  cmd->SetName("DMPCommand1");
  cmd->SetCommand("\x1b" "E");

  MemoryStream stream;
  page.SaveToStream(stream);
  stream.SetPosition(0);
  TfrxDMPPage back(nullptr);
  TfrxXMLSerializer s(&stream);
  s.ReadObjectTree(back);
  EXPECT_TRUE(s.Errors().empty()) << *s.Errors().begin();
  EXPECT_EQ(testing::FirstDifference(testing::TreeValues(back), testing::TreeValues(page)), "");
  EXPECT_EQ(As<TfrxDMPMemoView>(back.FindObject("DMPMemo1"))->Font().Style(), fsBold);
}

}  // namespace
}  // namespace quarlo
