// Dot-matrix objects drawn and carried through the page store: the frame half a cell
// outside the text, the font the styles give, sizes rounded to the grid, page
// defaults, and Command and FontStyle through loading and saving.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "report/report_classes.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "objects/band.h"
#include "objects/special/dmp_command.h"
#include "objects/special/dmp_grid.h"
#include "objects/special/dmp_line_view.h"
#include "objects/special/dmp_memo_view.h"
#include "objects/special/dmp_page.h"
#include "objects/units.h"
#include "platform/recording_canvas.h"
#include "support/report_generator.h"

namespace quarlo {
namespace {

class DotMatrixDrawing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static const bool once = (RegisterReportClasses(), true);
    (void)once;
  }
};

CanvasRect UnionOf(const RecordingCanvas& canvas, CanvasRecord::Op op) {
  CanvasRect u{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
  for (const CanvasRecord* r : canvas.RecordsOf(op)) {
    u.left = std::min(u.left, r->bounds.left);
    u.top = std::min(u.top, r->bounds.top);
    u.right = std::max(u.right, r->bounds.right);
    u.bottom = std::max(u.bottom, r->bounds.bottom);
  }
  return u;
}

TEST_F(DotMatrixDrawing, TheFrameSitsHalfACellOutsideTheText) {
  struct Case {
    double scale, offsetX, offsetY;
    CanvasRect text;   // the view's own device rectangle
    CanvasRect frame;  // half a cell (4.8 x 8.5 report pixels) larger on every side
  } cases[] = {
      // 96..144 x 34..51 at 100 %: 91.2 -> 91, 25.5 -> 26, 148.8 -> 149, 59.5 -> 60.
      {1, 0, 0, {96, 34, 144, 51}, {91, 26, 149, 60}},
      {2, 10, 20, {202, 88, 298, 122}, {192, 71, 308, 139}},
      {1.5, 0.2, 0.7, {144, 52, 216, 77}, {137, 39, 223, 90}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scale);
    TfrxDMPMemoView memo(nullptr);
    memo.SetBounds(100, 30, 50, 25);  // snaps to 96, 34, 48 x 17
    memo.Frame().SetTyp(ftAll);
    memo.SetColor(clYellow);
    memo.Memo().SetText(u"AB");
    RecordingCanvas canvas;
    memo.Draw(canvas, c.scale, c.scale, c.offsetX, c.offsetY);
    EXPECT_EQ((CanvasRect{memo.DeviceLeft(), memo.DeviceTop(), memo.DeviceRight(), memo.DeviceBottom()}), c.text)
        << "the text rectangle is given back after the frame";
    const auto fills = canvas.RecordsOf(CanvasRecord::Op::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->rect, c.text) << "the background keeps the text rectangle";
    const auto texts = canvas.RecordsOf(CanvasRecord::Op::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_GE(texts[0]->bounds.left, c.text.left);

    // The frame is exactly that of a plain view with the larger rectangle.
    TfrxView plain(nullptr);
    plain.SetBounds(96 - 4.8, 34 - 8.5, 48 + 9.6, 17 + 17);
    plain.Frame().SetTyp(ftAll);
    RecordingCanvas expected;
    plain.Draw(expected, c.scale, c.scale, c.offsetX, c.offsetY);
    EXPECT_EQ((CanvasRect{plain.DeviceLeft(), plain.DeviceTop(), plain.DeviceRight(), plain.DeviceBottom()}),
              c.frame);
    EXPECT_EQ(UnionOf(canvas, CanvasRecord::Op::Line), UnionOf(expected, CanvasRecord::Op::Line));
    EXPECT_EQ(canvas.RecordsOf(CanvasRecord::Op::Line).size(), expected.RecordsOf(CanvasRecord::Op::Line).size());
  }
}

TEST_F(DotMatrixDrawing, StylesGiveCourierNewTwelveWithAtMostBoldItalicUnderline) {
  struct Case {
    int fontStyle;
    int shown;
  } cases[] = {
      {fsxBold | fsxCondensed, kFontBold},  // 33: condensed has no visible form
      {fsxItalic, kFontItalic},
      {fsxUnderline | fsx15cpi, kFontUnderline},
      {0x1FF, kFontBold | kFontItalic | kFontUnderline},
      {fsxSuperScript | fsxSubScript | fsxWide | fsx12cpi, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fontStyle);
    TfrxDMPMemoView memo(nullptr);
    memo.SetBounds(0, 0, 96, 17);
    memo.SetFontStyle(c.fontStyle);
    EXPECT_EQ(memo.FontStyle(), c.fontStyle);
    RecordingCanvas canvas;
    memo.Memo().SetText(u"TOTAL");
    memo.Draw(canvas, 1, 1, 0, 0);
    const auto texts = canvas.RecordsOf(CanvasRecord::Op::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0]->font.name, "Courier New");
    EXPECT_EQ(texts[0]->font.height, -16) << "12 points at 96 dpi";
    EXPECT_EQ(texts[0]->font.style, c.shown);
  }
}

TEST_F(DotMatrixDrawing, CalculatedSizesAreWholeRowsAndCells) {
  for (const char16_t* text : {u"A", u"ONE\nTWO", u"A LONGER LINE OF TEXT\nB\nC\nD"}) {
    SCOPED_TRACE(std::string(text, text + std::char_traits<char16_t>::length(text)));
    TfrxDMPMemoView memo(nullptr);
    memo.SetBounds(0, 0, 960, 17);
    memo.Memo().SetText(text);
    const double h = memo.CalcHeight(), w = memo.CalcWidth();
    const double baseH = memo.TfrxCustomMemoView::CalcHeight(), baseW = memo.TfrxCustomMemoView::CalcWidth();
    EXPECT_GT(h, 0);
    EXPECT_NEAR(std::remainder(h, kCellHeight), 0, 1e-9) << h;
    EXPECT_LE(std::fabs(h - baseH), kCellHeight / 2) << baseH;
    EXPECT_GT(w, 0);
    EXPECT_NEAR(std::remainder(w, kCellWidth), 0, 1e-9) << w;
    EXPECT_LE(std::fabs(w - baseW), kCellWidth / 2) << baseW;
  }
}

TEST_F(DotMatrixDrawing, PageDefaults) {
  struct Case {
    PageDefaults printer;
    bool dotMatrix;
    double paperWidth, paperHeight, left, top;
  } cases[] = {
      {{9, 210, 297, TPrinterOrientation::poPortrait}, false, 210, 297, 10, 10},
      // 82.68 cells and 66.03 rows cut down to 82 and 66.
      {{9, 210, 297, TPrinterOrientation::poPortrait}, true, 82 * 9.6 / fr01cm, 66 * 17 / fr01cm, 2.54, 17 / fr01cm},
      // A5 landscape: 32.9 rows cut to 32 (rounding would give 33).
      {{11, 210, 148, TPrinterOrientation::poLandscape}, true, 82 * 9.6 / fr01cm, 32 * 17 / fr01cm, 2.54,
       17 / fr01cm},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.paperWidth);
    std::unique_ptr<TfrxReportPage> page =
        c.dotMatrix ? std::make_unique<TfrxDMPPage>(nullptr) : std::make_unique<TfrxReportPage>(nullptr);
    page->SetDefaults(c.printer);
    EXPECT_EQ(page->PaperSize(), c.printer.paperSize);
    EXPECT_EQ(page->Orientation(), c.printer.orientation);
    EXPECT_NEAR(page->PaperWidth(), c.paperWidth, 1e-6);
    EXPECT_NEAR(page->PaperHeight(), c.paperHeight, 1e-6);
    EXPECT_NEAR(page->LeftMargin(), c.left, 1e-9);
    EXPECT_NEAR(page->RightMargin(), c.left, 1e-9);
    EXPECT_NEAR(page->TopMargin(), c.top, 1e-9);
    EXPECT_NEAR(page->BottomMargin(), c.top, 1e-9);
    EXPECT_EQ(page->Width(), std::nearbyint(c.paperWidth * fr01cm));
  }
}

// A report with a dot-matrix source page (italic page font; a text, a line and a
// command as templates), one compact page that changes them, and one complete page.
std::string DotMatrixReport() {
  testing::ReportGenerator g;
  auto& source = static_cast<TfrxDMPPage&>(g.AddSourcePage(true));
  source.SetFontStyle(fsxItalic);
  auto* band = new TfrxMasterData(&source);
  band->SetName("MasterData1");
  band->SetBounds(0, 17, 700, 34);
  auto* memo = new TfrxDMPMemoView(band);
  memo->SetName("DMPMemo1");
  memo->SetBounds(9.6, 0, 96, 17);
  auto* line = new TfrxDMPLineView(band);
  line->SetName("DMPLine1");
  auto* cmd = new TfrxDMPCommand(band);
  cmd->SetName("DMPCommand1");
  cmd->SetCommand("\x1b@");

  TfrxReportPage& page = g.AddCompactPage(0);
  auto& b = g.Place(page, "MasterData1");
  g.Place<TfrxDMPMemoView>(page, "DMPMemo1", &b).Memo().SetText(u"INVOICE");
  auto& bold = g.Place<TfrxDMPMemoView>(page, "DMPMemo1", &b);
  bold.SetFontStyle(fsxBold | fsxCondensed);
  bold.SetLeft(200);
  g.Place<TfrxDMPLineView>(page, "DMPLine1", &b).SetFontStyle(fsxWide);
  g.Place<TfrxDMPCommand>(page, "DMPCommand1", &b).SetCommand("\x1b" "E<\"&");

  auto& complete = static_cast<TfrxDMPPage&>(g.AddCompletePage(true));
  complete.SetFontStyle(fsxUnderline);
  auto* c = new TfrxDMPCommand(&complete);
  c->SetName("Reset");
  c->SetCommand("\x1b@\x0c");
  return g.Write();
}

TEST_F(DotMatrixDrawing, CommandsAndStylesSurviveLoadingAndSaving) {
  const std::string original = DotMatrixReport();
  std::string saved;
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    TfrxPreviewPages pages(nullptr);
    MemoryStream in(round == 0 ? original : saved);
    pages.LoadFromStream(in);
    ASSERT_EQ(pages.Count(), 2);

    auto* page = As<TfrxDMPPage>(pages.PageObject(0));
    ASSERT_NE(page, nullptr) << "built as a dot-matrix page from its dot-matrix source";
    std::vector<TfrxDMPMemoView*> memos;
    std::vector<TfrxDMPLineView*> lines;
    std::vector<TfrxDMPCommand*> commands;
    for (TfrxComponent* o : page->AllObjects()) {
      if (auto* m = As<TfrxDMPMemoView>(o)) memos.push_back(m);
      if (auto* l = As<TfrxDMPLineView>(o)) lines.push_back(l);
      if (auto* k = As<TfrxDMPCommand>(o)) commands.push_back(k);
    }
    ASSERT_EQ(memos.size(), 2u);
    EXPECT_EQ(memos[0]->FontStyle(), fsxItalic) << "follows the page";
    EXPECT_EQ(memos[0]->Font().Style(), fsItalic);
    EXPECT_EQ(memos[1]->FontStyle(), fsxBold | fsxCondensed);
    EXPECT_EQ(memos[1]->Font().Style(), fsBold);
    EXPECT_NEAR(memos[1]->Left(), 201.6, 1e-9);  // 20.83 cells -> 21
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->FontStyle(), fsxWide);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0]->Command(), "\x1b" "E<\"&");

    auto* complete = As<TfrxDMPPage>(pages.PageObject(1));
    ASSERT_NE(complete, nullptr);
    EXPECT_EQ(complete->FontStyle(), fsxUnderline);
    EXPECT_EQ(complete->Font().Style(), fsUnderline);
    auto* reset = As<TfrxDMPCommand>(complete->FindObject("Reset"));
    ASSERT_NE(reset, nullptr);
    EXPECT_EQ(reset->Command(), "\x1b@\x0c");

    MemoryStream out;
    pages.SaveToStream(out);
    const std::string now = out.Data();
    if (round == 1) {
      EXPECT_EQ(now, saved) << "a second save writes the same document";
    }
    saved = now;
  }
}

}  // namespace
}  // namespace quarlo
