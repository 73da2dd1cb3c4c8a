// Pages with very many objects side by side and pages whose numbers are out of every
// range: they build, paint and free in time proportional to their size, and sizes that
// mean nothing are held to the page limits instead of overflowing.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "report/report.h"
#include "platform/errors.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "objects/report_page.h"
#include "platform/recording_canvas.h"
#include "store_fixtures.h"

namespace quarlo {
namespace {

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Named(int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += "<TfrxMemoView Name=\"M" + std::to_string(i) + "\" Width=\"5\" Height=\"5\"/>";
  return out;
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(HostileWidePages, HundredThousandObjectsOnOnePage) {
  store_fixtures::RegisterClasses();
  constexpr int kObjects = 100000;
  struct Case {
    const char* name;
    std::string page;
  } cases[] = {
      {"compact objects", "<page0>" + Repeat("<m1 u=\"x\"/>", kObjects) + "</page0>"},
      {"complete objects without names",
       "<TfrxReportPage>" + Repeat("<TfrxMemoView Width=\"5\" Height=\"5\" Text=\"x\"/>", kObjects) + "</TfrxReportPage>"},
      {"complete objects of distinct names", "<TfrxReportPage>" + Named(kObjects) + "</TfrxReportPage>"},
      {"complete objects of one name",
       "<TfrxReportPage>" + Repeat("<TfrxMemoView Name=\"M\" Width=\"5\" Height=\"5\"/>", kObjects) + "</TfrxReportPage>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto start = std::chrono::steady_clock::now();
    {
      TfrxPreviewPages pages(nullptr);
      MemoryStream in(store_fixtures::Document(c.page));
      pages.LoadFromStream(in);
      TfrxReportPage* page = pages.PageObject(0);
      ASSERT_NE(page, nullptr);
      EXPECT_GE(page->AllObjects().size(), 1u);
      RecordingCanvas canvas({0, 0, 800, 1200}, 96, 96, CanvasKind::Screen);
      try {
        pages.PaintPage(0, canvas, 1, 1, 0, 0);
      } catch (const Exception&) {
      }
    }
    const double s = Seconds(start);
    std::printf("%s: %.2f s\n", c.name, s);
    EXPECT_LT(s, 20);
  }
}

// Texts of a megabyte in one object: a word without a break, very many short lines,
// markup tags without end; laid out and drawn on a page in time linear in their size.
TEST(HostileWidePages, MegabyteTextsLayOutInTime) {
  store_fixtures::RegisterClasses();
  struct Case {
    const char* name;
    std::string attributes;
  } cases[] = {
      {"one word of 1 MB", "Text=\"" + std::string(1 << 20, 'W') + "\""},
      {"250,000 short lines", "Text=\"" + Repeat("ab&#13;&#10;", 250000) + "\""},
      {"250,000 tags", "AllowHTMLTags=\"True\" Text=\"" + Repeat("&#60;b&#62;x", 250000) + "\""},
      {"word wrap of 1 MB of spaced words", "WordWrap=\"True\" Text=\"" + Repeat("ab ", 350000) + "\""},
      {"stretched autowidth", "AutoWidth=\"True\" Text=\"" + std::string(1 << 20, 'x') + "\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto start = std::chrono::steady_clock::now();
    TfrxPreviewPages pages(nullptr);
    MemoryStream in(store_fixtures::Document("<TfrxReportPage><TfrxMemoView Name=\"M\" Left=\"10\" Top=\"10\" "
                                             "Width=\"300\" Height=\"200\" " + c.attributes + "/></TfrxReportPage>"));
    pages.LoadFromStream(in);
    ASSERT_NE(pages.PageObject(0), nullptr);
    for (double scale : {1.0, 4.0}) {
      RecordingCanvas canvas({0, 0, 4000, 4000}, 96, 96, CanvasKind::Screen);
      try {
        pages.PaintPage(0, canvas, scale, scale, 0, 0);
      } catch (const Exception&) {
      }
    }
    const double s = Seconds(start);
    std::printf("%s: %.2f s\n", c.name, s);
    EXPECT_LT(s, 20);
  }
}

// Very many siblings where the store looks things up: sections before the pages,
// dictionary entries in reverse order, picture cache items, outline entries.
TEST(HostileWidePages, AMillionSiblingsInTheSections) {
  store_fixtures::RegisterClasses();
  constexpr int kSiblings = 1000000;
  constexpr int kPages = 2000;
  std::string dictionary = "<dictionary>";
  for (int i = 200000; i > 0; --i) dictionary += "<m" + std::to_string(i + 10) + " name=\"Page0.Memo1\"/>";
  dictionary += "<b1 name=\"Page0.MasterData1\"/><m1 name=\"Page0.Memo1\"/></dictionary>";
  struct Case {
    const char* name;
    std::string file;
  } cases[] = {
      {"sections before the pages",
       std::string(store_fixtures::kHeader) + "<preparedreport>" + Repeat("<x/>", kSiblings) + "<previewpages>" +
           Repeat("<page0><m1 u=\"x\"/></page0>", kPages) + "</previewpages>" + store_fixtures::SourcePages() +
           store_fixtures::Dictionary() + "</preparedreport>"},
      {"dictionary entries in reverse order",
       std::string(store_fixtures::kHeader) + "<preparedreport><previewpages>" +
           Repeat("<page0><m1 u=\"x\"/></page0>", kPages) + "</previewpages>" + store_fixtures::SourcePages() +
           dictionary + "</preparedreport>"},
      {"picture cache items", store_fixtures::Document(Repeat("<page0><b1><p1 ImageIndex=\"999999\"/></b1></page0>", kPages),
                                                       "<picturecache>" + Repeat("<item stream=\"00\"/>", kSiblings) +
                                                           "</picturecache>")},
      {"source pages", std::string(store_fixtures::kHeader) + "<preparedreport><previewpages>" +
                           Repeat("<page19999><m1 u=\"x\"/></page19999>", kPages) + "</previewpages><sourcepages>" +
                           Repeat("<TfrxReportPage><TfrxMemoView Name=\"Memo1\"/></TfrxReportPage>", 20000) +
                           "</sourcepages><dictionary><m1 name=\"Page19999.Memo1\"/></dictionary></preparedreport>"},
      {"report settings", store_fixtures::Document(Repeat("<page0/>", kPages), "<report><TfrxReport>" +
                                                       Named(100000) + "</TfrxReport></report>")},
      {"outline entries", store_fixtures::Document(Repeat("<page0/>", kPages),
                                                   "<outline>" + Repeat("<item text=\"t\" page=\"1\" top=\"0\"/>", kSiblings) +
                                                       "</outline>")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto start = std::chrono::steady_clock::now();
    TfrxReport report(nullptr);
    TfrxPreviewPages pages(&report);
    MemoryStream in(c.file);
    pages.LoadFromStream(in);
    const double loaded = Seconds(start);
    ASSERT_EQ(pages.Count(), kPages);
    // As the preview lays pages out and shows them: every extent, every page built.
    for (int i = 0; i < pages.Count(); ++i) {
      EXPECT_GT(pages.PageExtent(i).Width, 0);
      ASSERT_NE(pages.PageObject(i), nullptr);
    }
    const double s = Seconds(start);
    std::printf("%s: load %.2f s, all pages %.2f s\n", c.name, loaded, s - loaded);
    EXPECT_LT(s, 20);
  }
}

// Read in one sort, the dictionary still keeps the first of aliases written twice
// (ignoring case) and writes them sorted.
TEST(HostileWidePages, RepeatedAliasesKeepTheirFirstEntry) {
  store_fixtures::RegisterClasses();
  const std::string file = std::string(store_fixtures::kHeader) + "<preparedreport><previewpages>" +
                           "<page0><m1/></page0></previewpages>" + store_fixtures::SourcePages() +
                           "<dictionary><m2 name=\"Page1.Memo2\"/><M1 name=\"Page0.Memo1\"/>"
                           "<m1 name=\"Page1.Memo2\"/><b1 name=\"Page0.MasterData1\"/>"
                           "<m10 name=\"Page0.Memo1\"/></dictionary></preparedreport>";
  TfrxPreviewPages pages(nullptr);
  MemoryStream in(file);
  pages.LoadFromStream(in);
  ASSERT_NE(pages.PageObject(0), nullptr);
  EXPECT_NE(pages.PageObject(0)->FindObject("Memo1"), nullptr) << "built from the first m1";
  MemoryStream out;
  pages.SaveToStream(out);
  EXPECT_NE(out.Data().find("<dictionary><b1 name=\"Page0.MasterData1\"/><M1 name=\"Page0.Memo1\"/>"
                            "<m10 name=\"Page0.Memo1\"/><m2 name=\"Page1.Memo2\"/></dictionary>"),
            std::string::npos)
      << out.Data();
}

// Elements inside the report element are no settings: the live report, used again by
// the next load, gains nothing from them, while the element's attributes still apply.
TEST(HostileWidePages, ReportElementChildrenStayOutOfTheLiveReport) {
  store_fixtures::RegisterClasses();
  TfrxReport report(nullptr);
  const size_t before = report.AllObjects().size();
  for (int load = 0; load < 2; ++load) {
    TfrxPreviewPages pages(&report);
    MemoryStream in(store_fixtures::Document(
        "<page0/>", "<report><TfrxReport ReportOptions.Name=\"kept\"><TfrxReportPage Name=\"P1\">"
                    "<TfrxMemoView Name=\"M1\"/></TfrxReportPage><TfrxMemoView Name=\"M2\"/></TfrxReport></report>"));
    pages.LoadFromStream(in);
    EXPECT_EQ(report.ReportOptions().Name(), "kept");
    EXPECT_EQ(report.FindObject("M1"), nullptr);
    EXPECT_EQ(report.FindObject("M2"), nullptr);
    EXPECT_EQ(report.AllObjects().size(), before);
  }
}

TEST(HostileWidePages, SizesOutOfEveryRangeStayWithinThePageLimits) {
  store_fixtures::RegisterClasses();
  const char* values[] = {"1e300", "-1e300", "1e38", "nan", "inf", "-inf", "2147483648", "-2147483649", "1e-320", "1e9", "-1e9", "99999", "0", "-5"};
  for (const char* v : values) {
    SCOPED_TRACE(v);
    const std::string a = std::string("=\"") + v + "\"";
    const std::string page =
        "<TfrxReportPage PaperWidth" + a + " PaperHeight" + a + " LeftMargin" + a + " TopMargin" + a +
        " RightMargin" + a + " BottomMargin" + a + " Columns" + a + " ColumnWidth" + a + ">"
        "<TfrxMasterData Name=\"B\" Left" + a + " Top" + a + " Width" + a + " Height" + a + ">"
        "<TfrxMemoView Name=\"M\" Left" + a + " Top" + a + " Width" + a + " Height" + a + " Font.Size" + a +
        " Frame.Width" + a + " Text=\"x\"/>"
        "<TfrxShapeView Name=\"S\" Left" + a + " Top" + a + " Width" + a + " Height" + a + "/>"
        "<TfrxLineView Name=\"L\" Left" + a + " Top" + a + " Width" + a + " Height" + a + "/>"
        "</TfrxMasterData></TfrxReportPage>"
        "<page0><b1 l" + a + " t" + a + " w" + a + " h" + a + "><m1 l" + a + " t" + a + " w" + a + " h" + a +
        " Font.Size" + a + "/></b1></page0>";
    TfrxPreviewPages pages(nullptr);
    MemoryStream in(store_fixtures::Document(page));
    pages.LoadFromStream(in);
    ASSERT_EQ(pages.Count(), 2);
    for (int i = 0; i < 2; ++i) {
      const PagePixelSize extent = pages.PageExtent(i);
      EXPECT_GE(extent.Width, 0);
      EXPECT_GE(extent.Height, 0);
      for (double scale : {1.0, 8.0}) {
        RecordingCanvas canvas({0, 0, 2000, 2000}, 96, 96, CanvasKind::Screen);
        try {
          pages.PaintPage(i, canvas, scale, scale, 0, 0);
        } catch (const Exception&) {
        }
        EXPECT_FALSE(canvas.HasClip());
      }
    }
  }
}

}  // namespace
}  // namespace quarlo
