// Report pages and bands: paper, orientation and column setters, arranging bands and
// their views, child bands, and a whole page written and read back.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "platform/errors.h"
#include "objects/serializer.h"
#include "platform/stream.h"
#include "objects/band.h"
#include "objects/line_view.h"
#include "objects/memo_view.h"
#include "objects/picture_view.h"
#include "objects/report_page.h"
#include "objects/shape_view.h"
#include "objects/standard_classes.h"
#include "objects/subreport.h"
#include "support/published_values.h"
#include "support/report_generator_pictures.h"

namespace quarlo {
namespace {

class PageClasses : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterStandardClasses(nullptr); }
};

constexpr auto kLandscape = TPrinterOrientation::poLandscape;
constexpr auto kPortrait = TPrinterOrientation::poPortrait;

TEST_F(PageClasses, NewPageIsA4AndSizedInReportPixels) {
  TfrxReportPage page(nullptr);
  EXPECT_EQ(page.PaperSize(), 9);
  EXPECT_EQ(page.PaperWidth(), 210);
  EXPECT_EQ(page.PaperHeight(), 297);
  EXPECT_EQ(page.Width(), 794);   // Round(210 x 3.77953)
  EXPECT_EQ(page.Height(), 1123);  // Round(297 x 3.77953)
  EXPECT_EQ(page.BaseName(), "Page");
}

TEST_F(PageClasses, PaperSetters) {
  struct Case {
    const char* what;
    void (*change)(TfrxReportPage&);
    double width, height;
    int paperSize;
  } cases[] = {
      {"custom width is rounded to 8 places",
       [](TfrxReportPage& p) { p.SetPaperWidth(100.123456789); }, 100.12345679, 297, 256},
      {"custom height", [](TfrxReportPage& p) { p.SetPaperHeight(150); }, 210, 150, 256},
      {"paper number from the table", [](TfrxReportPage& p) { p.SetPaperSize(11); }, 148, 210, 11},
      {"landscape takes the table size turned",
       [](TfrxReportPage& p) {
         p.SetOrientation(kLandscape);
         p.SetPaperSize(11);
       },
       210, 148, 11},
      {"unknown number keeps the size",
       [](TfrxReportPage& p) {
         p.SetPaperWidth(123);
         p.SetPaperSize(200);
       },
       123, 297, 200},
      {"orientation swaps the sides", [](TfrxReportPage& p) { p.SetOrientation(kLandscape); },
       297, 210, 9},
      {"setting the same orientation changes nothing",
       [](TfrxReportPage& p) { p.SetOrientation(kPortrait); }, 210, 297, 9},
  };
  for (const Case& c : cases) {
    TfrxReportPage page(nullptr);
    c.change(page);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), c.width) << c.what;
    EXPECT_DOUBLE_EQ(page.PaperHeight(), c.height) << c.what;
    EXPECT_EQ(page.PaperSize(), c.paperSize) << c.what;
    EXPECT_EQ(page.Width(), std::nearbyint(c.width * 3.77953)) << c.what;
    EXPECT_EQ(page.Height(), std::nearbyint(c.height * 3.77953)) << c.what;
  }
}

TEST_F(PageClasses, OrientationTurnsTheMargins) {
  TfrxReportPage page(nullptr);
  page.SetLeftMargin(10);
  page.SetRightMargin(20);
  page.SetTopMargin(30);
  page.SetBottomMargin(40);
  page.SetOrientation(kLandscape);
  EXPECT_EQ(page.LeftMargin(), 30);
  EXPECT_EQ(page.RightMargin(), 40);
  EXPECT_EQ(page.TopMargin(), 20);
  EXPECT_EQ(page.BottomMargin(), 10);
  page.SetOrientation(kPortrait);
  EXPECT_EQ(page.LeftMargin(), 10);
  EXPECT_EQ(page.RightMargin(), 20);
  EXPECT_EQ(page.TopMargin(), 30);
  EXPECT_EQ(page.BottomMargin(), 40);
}

// A landscape A4 page reads back as landscape A4: the orientation, the sides and the
// paper number are read in an order that does not undo one another.
TEST_F(PageClasses, PaperSettingsReadBackInTheirOrder) {
  struct Case {
    const char* what;
    void (*change)(TfrxReportPage&);
  } cases[] = {
      {"landscape A4", [](TfrxReportPage& p) { p.SetOrientation(kLandscape); }},
      {"landscape custom",
       [](TfrxReportPage& p) {
         p.SetOrientation(kLandscape);
         p.SetPaperWidth(300);
         p.SetPaperHeight(100.5);
       }},
      {"portrait A5 with margins",
       [](TfrxReportPage& p) {
         p.SetPaperSize(11);
         p.SetLeftMargin(5);
         p.SetBottomMargin(7.5);
       }},
  };
  for (const Case& c : cases) {
    TfrxReportPage page(nullptr);
    c.change(page);
    TfrxXMLSerializer s;
    TfrxReportPage back(nullptr);
    s.ApplyProperties(s.WriteProperties(page), back);
    EXPECT_EQ(testing::FirstDifference(testing::TreeValues(back), testing::TreeValues(page)), "") << c.what;
  }
}

TEST_F(PageClasses, ColumnsDivideThePrintableWidth) {
  TfrxReportPage page(nullptr);
  page.SetLeftMargin(10);
  page.SetRightMargin(10);
  page.SetColumns(2);
  EXPECT_EQ(page.ColumnWidth(), 95);
  EXPECT_EQ(page.ColumnPositions().Lines(), (std::vector<std::string>{"0", "95"}));
  page.SetColumns(3);
  EXPECT_EQ(page.ColumnPositions().Lines(),
            (std::vector<std::string>{"0", "63.3333333333333", "126.666666666667"}));
  page.SetColumns(0);
  EXPECT_EQ(page.ColumnPositions().Count(), 0);

  // An absurd count in a document is refused and reported, not allocated.
  TfrxXMLSerializer s;
  s.ApplyProperties("Columns=\"2000000000\"", page);
  EXPECT_EQ(page.Columns(), 0);
  EXPECT_EQ(page.ColumnPositions().Count(), 0);
  EXPECT_EQ(s.Errors().size(), 1u);
}

TEST_F(PageClasses, AbsurdPaperSizesAreRefused) {
  TfrxReportPage page(nullptr);
  TfrxXMLSerializer s;
  s.ApplyProperties("PaperWidth=\"1E300\" PaperHeight=\"500\"", page);
  EXPECT_EQ(page.PaperWidth(), 210);
  EXPECT_EQ(page.PaperHeight(), 500);
  EXPECT_EQ(s.Errors().size(), 1u);
}

TEST_F(PageClasses, PageCountBelowOneIsIgnored) {
  TfrxReportPage page(nullptr);
  page.SetPageCount(3);
  page.SetPageCount(0);
  page.SetPageCount(-2);
  EXPECT_EQ(page.PageCount(), 3);
}

// Arranging: bands follow the printable (or column) width, vertical bands the
// printable height, and aligned views follow their band; a second run changes nothing.
TEST_F(PageClasses, ArrangingBandsAndTheirViews) {
  TfrxReportPage page(nullptr);
  page.SetLeftMargin(10);
  page.SetRightMargin(10);
  page.SetTopMargin(10);
  page.SetBottomMargin(10);
  page.SetColumns(2);
  const double printableWidth = 190 * 3.77953, printableHeight = 277 * 3.77953;

  auto* header = new TfrxPageHeader(&page);
  header->SetBounds(0, 0, 10, 40);
  auto* data = new TfrxMasterData(&page);
  data->SetBounds(0, 40, 10, 20);
  auto* vertical = new TfrxMasterData(&page);
  vertical->SetVertical(true);
  vertical->SetBounds(0, 100, 50, 10);

  auto view = [](TfrxComponent* parent, double l, double t, double w, double h, TfrxAlign a) {
    auto* v = new TfrxShapeView(parent);
    v->SetBounds(l, t, w, h);
    v->SetAlign(a);
    return v;
  };
  // One alignment per row of the header, so that only the intended neighbours overlap.
  auto* right = view(header, 0, 0, 50, 10, baRight);
  auto* before = view(header, 0, 10, 30, 10, baNone);
  auto* width = view(header, 100, 10, 5, 10, baWidth);
  view(header, 400, 10, 20, 10, baNone);
  auto* left = view(header, 300, 20, 20, 10, baLeft);
  auto* bottom = view(header, 100, 30, 10, 4, baBottom);
  auto* client = view(data, 5, 5, 1, 1, baClient);
  auto* center = new TfrxLineView(data);
  center->SetBounds(0, 0, 100, 0);
  center->SetAlign(baCenter);

  for (int pass = 0; pass < 2; ++pass) {
    page.ArrangeChildren();
    SCOPED_TRACE(pass);
    EXPECT_EQ(page.Width(), 794);
    EXPECT_EQ(page.Height(), 1123);
    EXPECT_DOUBLE_EQ(header->Width(), printableWidth);
    EXPECT_DOUBLE_EQ(data->Width(), 95 * 3.77953);
    EXPECT_DOUBLE_EQ(vertical->Height(), printableHeight - 100);
    EXPECT_DOUBLE_EQ(right->Left(), printableWidth - 50);
    EXPECT_DOUBLE_EQ(left->Left(), 0);
    // baWidth fills the gap between its neighbours in the same row.
    EXPECT_DOUBLE_EQ(width->Left(), before->Left() + before->Width());
    EXPECT_DOUBLE_EQ(width->Width(), 400 - 30);
    EXPECT_DOUBLE_EQ(bottom->Top(), 36);
    EXPECT_DOUBLE_EQ(client->Width(), 95 * 3.77953);
    EXPECT_DOUBLE_EQ(client->Height(), 20);
    EXPECT_DOUBLE_EQ(center->Left(), (95 * 3.77953 - 100) / 2);
  }
}

TEST_F(PageClasses, CircularChildBandsAreRefused) {
  TfrxReportPage page(nullptr);
  auto* data = new TfrxMasterData(&page);
  auto* a = new TfrxChild(&page);
  auto* b = new TfrxChild(&page);
  data->SetChild(a);
  a->SetChild(b);
  struct Case {
    const char* what;
    TfrxBand* band;
    TfrxChild* child;
  } cases[] = {{"itself", b, b}, {"two steps back", b, a}};
  for (const Case& c : cases) {
    TfrxChild* before = c.band->Child();
    try {
      c.band->SetChild(c.child);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Circular child reference is not allowed") << c.what;
    }
    EXPECT_EQ(c.band->Child(), before) << c.what;
  }
  // A chain that does not come back is fine, and so is clearing the link.
  b->SetChild(nullptr);
  auto* c = new TfrxChild(&page);
  b->SetChild(c);
  EXPECT_EQ(b->Child(), c);

  // A band that goes away is not left behind as a child.
  delete c;
  EXPECT_EQ(b->Child(), nullptr);
}

TEST_F(PageClasses, CircularChildInADocumentIsReportedNotThrown) {
  TfrxReportPage page(nullptr);
  auto* first = new TfrxChild(&page);
  first->SetName("Child1");
  auto* second = new TfrxChild(&page);
  second->SetName("Child2");
  second->SetChild(first);
  MemoryStream stream;
  page.SaveToStream(stream);
  // Close the circle in the document.
  std::string xml = stream.Data();
  const std::string from = "<TfrxChild Name=\"Child1\"";
  xml.replace(xml.find(from), from.size(), from + " Child=\"Child2\"");
  MemoryStream input(xml);
  TfrxReportPage back(nullptr);
  TfrxXMLSerializer s(&input);
  EXPECT_NO_THROW(s.ReadObjectTree(back));
  EXPECT_EQ(s.Errors().count("Circular child reference is not allowed"), 1u);
}

TEST_F(PageClasses, BandNumbers) {
  TfrxReportPage page(nullptr);
  struct Case {
    TfrxBand* band;
    int number;
  } cases[] = {
      {new TfrxReportTitle(&page), 0},   {new TfrxReportSummary(&page), 1},
      {new TfrxPageHeader(&page), 2},    {new TfrxPageFooter(&page), 3},
      {new TfrxHeader(&page), 4},        {new TfrxFooter(&page), 5},
      {new TfrxMasterData(&page), 6},    {new TfrxDetailData(&page), 7},
      {new TfrxSubdetailData(&page), 8}, {new TfrxDataBand4(&page), 9},
      {new TfrxDataBand5(&page), 10},    {new TfrxDataBand6(&page), 11},
      {new TfrxGroupHeader(&page), 12},  {new TfrxGroupFooter(&page), 13},
      {new TfrxChild(&page), 14},        {new TfrxColumnHeader(&page), 15},
      {new TfrxColumnFooter(&page), 16}, {new TfrxOverlay(&page), 17},
      {new TfrxNullBand(&page), -1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.band->BandNumber(), c.number) << c.band->ClassName();
}

TEST_F(PageClasses, BandDefaultsAndCompactTop) {
  TfrxXMLSerializer s;
  TfrxPageHeader header(nullptr);
  TfrxPageFooter footer(nullptr);
  EXPECT_TRUE(header.PrintOnFirstPage());
  EXPECT_TRUE(footer.PrintOnLastPage());
  // Starting values are not written; switching them off is.
  EXPECT_EQ(s.WriteObjectLine(header), "TfrxPageHeader Height=\"0\" Left=\"0\" Top=\"0\" Width=\"0\"");
  footer.SetPrintOnFirstPage(false);
  EXPECT_EQ(s.WriteObjectLine(footer),
            "TfrxPageFooter Height=\"0\" Left=\"0\" Top=\"0\" Width=\"0\" PrintOnFirstPage=\"False\"");
  // A band's compact form always carries its top.
  TfrxMasterData tmpl(nullptr), band(nullptr);
  EXPECT_EQ(band.WriteDifferences(tmpl), " t=\"0\"");
}

TEST_F(PageClasses, BackgroundSettingsAreThePagesOwn) {
  TfrxReportPage page(nullptr);
  page.SetColor(clSilver);
  page.Frame().SetTyp(ftAll);
  page.Frame().SetWidth(2);
  ASSERT_TRUE(page.BackPicture().LoadFromData(testing::MakePng(3, 2)));
  EXPECT_EQ(page.Background().Color(), clSilver);
  EXPECT_TRUE(page.Objects().empty()) << "the background view is not a child";
  TfrxXMLSerializer s;
  const std::string attrs = s.WriteProperties(page);
  for (const char* expected : {" Color=\"12632256\"", " Frame.Typ=\"15\"", " Frame.Width=\"2\"",
                               " BackPicture.PropData=\""}) {
    EXPECT_NE(attrs.find(expected), std::string::npos) << expected << " in " << attrs;
  }
  TfrxReportPage back(nullptr);
  s.ApplyProperties(attrs, back);
  EXPECT_EQ(back.BackPicture(), page.BackPicture());
  EXPECT_EQ(back.Frame(), page.Frame());
  EXPECT_EQ(back.Color(), clSilver);
}

TEST_F(PageClasses, SubreportLinkIsDroppedWithThePage) {
  auto sub = std::make_unique<TfrxSubreport>(nullptr);
  EXPECT_EQ(sub->Frame().Typ(), ftAll);
  EXPECT_EQ(sub->Color(), clSilver);
  EXPECT_EQ(sub->Font().Name(), "Tahoma");
  EXPECT_EQ(sub->Font().Size(), 8);
  {
    TfrxReportPage embedded(nullptr);
    sub->SetPage(&embedded);
    EXPECT_EQ(embedded.SubReport(), sub.get());
  }
  EXPECT_EQ(sub->Page(), nullptr);
}

// The acceptance check: a page tree with texts, lines, shapes, pictures and
// bands written by WriteObjectTree and read by ReadObjectTree compares equal.
TEST_F(PageClasses, WholePageTreeReadsBackPropertyByProperty) {
  TfrxReportPage page(nullptr);
  page.SetOrientation(kLandscape);
  page.SetLeftMargin(12.5);
  page.SetTopMargin(8);
  page.SetColumns(2);
  page.HGuides().Add("10");
  page.SetColor(clCream);
  page.Font().SetName("SimSun");

  auto* title = new TfrxReportTitle(&page);
  title->SetName("ReportTitle1");
  title->SetBounds(0, 10, 700, 40);
  auto* child = new TfrxChild(&page);
  child->SetName("Child1");
  child->SetBounds(0, 60, 700, 20);
  title->SetChild(child);
  auto* data = new TfrxMasterData(&page);
  data->SetName("MasterData1");
  data->SetBounds(0, 100, 300, 25);
  data->SetDataSetName("Orders");
  data->SetKeepTogether(true);

  auto* memo = new TfrxMemoView(title);
  memo->SetName("Memo1");
  memo->SetBounds(5, 5, 200, 20);
  memo->Memo().SetText(u"报表标题\r\nsecond line");
  memo->SetHAlign(haCenter);
  memo->Frame().SetTyp(ftBottom);
  memo->Frame().BottomLine().SetWidth(2);
  memo->Highlight().SetCondition("Value > 0");
  memo->SetHint("提示");
  memo->SetShowHint(true);
  TFont f = memo->Font();
  f.SetStyle(fsBold);
  f.SetColor(clMaroon);
  memo->SetFont(f);
  auto* sys = new TfrxSysMemoView(child);
  sys->SetName("SysMemo1");
  sys->Memo().SetText(u"[Page#]");
  sys->SetAlign(baRight);
  auto* next = new TfrxMemoView(data);
  next->SetName("Memo2");
  memo->SetFlowTo(next);
  auto* line = new TfrxLineView(data);
  line->SetName("Line1");
  line->SetBounds(0, 24, 300, 0);
  line->SetArrowEnd(true);
  line->SetDiagonal(true);
  line->Frame().SetStyle(fsDash);
  auto* shape = new TfrxShapeView(data);
  shape->SetName("Shape1");
  shape->SetShape(skRoundRectangle);
  shape->SetCurve(3);
  shape->SetBrushStyle(bsBDiagonal);
  auto* picture = new TfrxPictureView(data);
  picture->SetName("Picture1");
  picture->SetBounds(200, 0, 40, 20);
  picture->SetCenter(true);
  picture->SetKeepAspectRatio(false);
  ASSERT_TRUE(picture->Picture().LoadFromData(testing::MakeJpeg(16, 8)));
  auto* bmp = new TfrxPictureView(data);
  bmp->SetName("Picture2");
  ASSERT_TRUE(bmp->Picture().LoadFromData(testing::MakeBmp(4, 4)));

  MemoryStream stream;
  page.SaveToStream(stream);
  stream.SetPosition(0);
  TfrxReportPage back(nullptr);
  TfrxXMLSerializer s(&stream);
  s.ReadObjectTree(back);
  EXPECT_TRUE(s.Errors().empty()) << *s.Errors().begin();
  EXPECT_EQ(testing::FirstDifference(testing::TreeValues(back), testing::TreeValues(page)), "");
  auto* backTitle = As<TfrxBand>(back.FindObject("ReportTitle1"));
  ASSERT_TRUE(backTitle);
  EXPECT_EQ(backTitle->Child(), back.FindObject("Child1"));
}

}  // namespace
}  // namespace quarlo
