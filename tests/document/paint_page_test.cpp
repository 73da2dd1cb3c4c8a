// The store's PaintPage on the recording canvas: where a built page lands for a scale
// and offset, what an index without a page draws, the error rule, what text objects
// are told, and that painting goes through the cache of built pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "objects/memo_view.h"
#include "objects/report_page.h"
#include "platform/recording_canvas.h"
#include "store_fixtures.h"

namespace quarlo {
namespace {

using store_fixtures::Document;

// A complete A4 page with 10 mm left and top margins holding one 30 x 40 shape at
// (10, 20) of the printable area.
const char* kShapePage =
    "<TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\" LeftMargin=\"10\" TopMargin=\"10\">"
    "<TfrxMasterData Name=\"MasterData1\" Left=\"0\" Top=\"0\" Width=\"718\" Height=\"100\">"
    "<TfrxShapeView Name=\"Shape1\" Left=\"10\" Top=\"20\" Width=\"30\" Height=\"40\"/>"
    "</TfrxMasterData></TfrxReportPage>";

// A page whose second object fails to draw (a bad colour in its markup) between two
// shapes that draw.
const char* kFailingPage =
    "<TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\">"
    "<TfrxShapeView Name=\"Shape1\" Left=\"0\" Top=\"0\" Width=\"10\" Height=\"10\"/>"
    "<TfrxMemoView Name=\"Bad\" Left=\"20\" Top=\"0\" Width=\"50\" Height=\"20\" AllowHTMLTags=\"True\" "
    "Text=\"&#60;font color=&#34;#zz&#34;&#62;x&#60;/font&#62;\"/>"
    "<TfrxShapeView Name=\"Shape2\" Left=\"80\" Top=\"0\" Width=\"10\" Height=\"10\"/>"
    "</TfrxReportPage>";

// Page number and page count tokens go through the text objects' own fields.
const char* kTextPage =
    "<TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\">"
    "<TfrxMemoView Name=\"Count\" Left=\"0\" Top=\"0\" Width=\"200\" Height=\"20\" "
    "Text=\"of [TOTALPAGES#]\"/>"
    "</TfrxReportPage>";

class PaintPageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { store_fixtures::RegisterClasses(); }

  void Load(const std::string& pagesXml) {
    MemoryStream stream(Document(pagesXml));
    pages.LoadFromStream(stream);
  }

  static std::vector<CanvasRect> Rectangles(const RecordingCanvas& c) {
    std::vector<CanvasRect> out;
    for (const CanvasRecord* r : c.RecordsOf(CanvasRecord::Op::Rectangle)) out.push_back(r->rect);
    return out;
  }

  static std::u16string AllText(const RecordingCanvas& c) {
    std::u16string out;
    for (const CanvasRecord* r : c.RecordsOf(CanvasRecord::Op::Text)) out += r->text;
    return out;
  }

  TfrxPreviewPages pages{nullptr};
};

TEST_F(PaintPageTest, ScaleAndOffsetsPlaceTheMarginsAndObjects) {
  Load(kShapePage);
  struct Case {
    double scale, offsetX, offsetY;
    CanvasRect clip;   // the paper, right and bottom as given to the canvas
    CanvasRect shape;  // the shape's outline rectangle (right/bottom exclusive)
  } cases[] = {
      // Margin 10 mm = 37.7953 px: the shape spans 47.8..77.8 x 57.8..97.8.
      {1, 0, 0, {0, 0, 793, 1122}, {48, 58, 79, 99}},
      // Doubled and moved by (100, 50): 175.59 + 20 .. 175.59 + 80, 125.59 + 40 .. 125.59 + 120.
      {2, 100, 50, {100, 50, 1686, 2294}, {196, 166, 257, 247}},
      {0.5, 10.4, 3.6, {10, 4, 406, 564}, {34, 32, 50, 53}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scale);
    RecordingCanvas canvas({0, 0, 4000, 4000}, 96, 96, CanvasKind::Screen);
    pages.PaintPage(0, canvas, c.scale, c.scale, c.offsetX, c.offsetY);
    const auto clips = canvas.RecordsOf(CanvasRecord::Op::Clip);
    ASSERT_FALSE(clips.empty());
    EXPECT_EQ(clips[0]->rect, c.clip);
    EXPECT_FALSE(canvas.HasClip()) << "the clip is given back";
    EXPECT_EQ(Rectangles(canvas), (std::vector<CanvasRect>{c.shape}));
  }
  // The free function is the same operation.
  RecordingCanvas canvas({0, 0, 4000, 4000}, 96, 96, CanvasKind::Screen);
  pages.PaintPage(0, canvas, 1, 1, 0, 0);
  EXPECT_EQ(Rectangles(canvas), (std::vector<CanvasRect>{cases[0].shape}));
}

TEST_F(PaintPageTest, AnIndexWithoutAPageDrawsNothing) {
  RecordingCanvas empty;
  pages.PaintPage(0, empty, 1, 1, 0, 0);
  EXPECT_TRUE(empty.Records().empty()) << "an empty store";

  Load(kShapePage);
  for (int index : {-1, 1, 1000}) {
    RecordingCanvas canvas;
    pages.PaintPage(index, canvas, 1, 1, 0, 0);
    EXPECT_TRUE(canvas.Records().empty()) << index;
  }
  EXPECT_TRUE(pages.PagesInCache().empty()) << "nothing was built for them";
}

TEST_F(PaintPageTest, AFailingViewLetsTheOthersDrawThenRaises) {
  Load(kFailingPage);
  for (CanvasKind kind : {CanvasKind::Screen, CanvasKind::Printer}) {
    RecordingCanvas canvas({0, 0, 2000, 2000}, 96, 96, kind);
    EXPECT_THROW(pages.PaintPage(0, canvas, 1, 1, 0, 0), EConvertError);
    EXPECT_EQ(Rectangles(canvas), (std::vector<CanvasRect>{{0, 0, 11, 11}, {80, 0, 91, 11}}));
    EXPECT_FALSE(canvas.HasClip());
  }
  // The page stays built and can be painted again: the error comes every time, the
  // caller decides how often to show it.
  EXPECT_EQ(pages.PagesInCache(), std::vector<int>{0});
  RecordingCanvas again;
  EXPECT_THROW(pages.PaintPage(0, again, 1, 1, 0, 0), EConvertError);
}

TEST_F(PaintPageTest, TextObjectsAreToldThePageCountCopyAndPrintScale) {
  Load(std::string(kTextPage) + kTextPage + kTextPage);
  pages.CurrentCopy = 2;
  pages.PrintScale = 0.5;
  RecordingCanvas canvas({0, 0, 2000, 2000}, 96, 96, CanvasKind::Printer);
  pages.PaintPage(1, canvas, 1, 1, 0, 0);
  EXPECT_NE(AllText(canvas).find(u"3"), std::u16string::npos) << "three pages in the store";
  auto* memo = As<TfrxCustomMemoView>(pages.PageObject(1)->FindObject("Count"));
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->TotalPages(), 3);
  EXPECT_EQ(memo->CopyNo(), 2);
  EXPECT_EQ(memo->PrintScale(), 0.5);
  EXPECT_FALSE(memo->IsPrinting()) << "only while it draws";
}

TEST_F(PaintPageTest, PaintingBuildsThroughTheCache) {
  Load(std::string(kShapePage) + kShapePage + kShapePage);
  RecordingCanvas canvas;
  pages.PaintPage(2, canvas, 1, 1, 0, 0);
  TfrxReportPage* built = pages.PageObject(2);
  pages.PaintPage(0, canvas, 1, 1, 0, 0);
  EXPECT_EQ(pages.PagesInCache(), (std::vector<int>{0, 2}));
  pages.PaintPage(2, canvas, 1, 1, 0, 0);
  EXPECT_EQ(pages.PageObject(2), built) << "a repaint does not rebuild the page";
  // An edit empties the cache; the next paint builds again.
  pages.RemovePage(1);
  pages.PaintPage(1, canvas, 1, 1, 0, 0);
  EXPECT_EQ(pages.PagesInCache(), std::vector<int>{1});
}

}  // namespace
}  // namespace quarlo
