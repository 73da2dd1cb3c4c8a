// Documents nested a million elements deep, at the root, in every section and inside
// pages: loading, building, painting, saving and freeing must never recurse, finish in
// seconds and give the result a shallow document of the same shape gives.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "report/report.h"
#include "platform/errors.h"
#include "document/outline.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "objects/report_page.h"
#include "platform/recording_canvas.h"
#include "store_fixtures.h"

namespace quarlo {
namespace {

using store_fixtures::Document;

constexpr int kDepth = 1000000;

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  out.reserve(piece.size() * static_cast<size_t>(times));
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// `open` nested kDepth times, closed again with `close` unless left open (end tags
// missing at the end of a file are accepted).
std::string Nest(const std::string& open, const std::string& close, bool closed = true) {
  return Repeat(open, kDepth) + (closed ? Repeat(close, kDepth) : std::string());
}

// The pages section last, so that a page left open holds nothing but itself.
std::string PagesLast(const std::string& pages) {
  return std::string(store_fixtures::kHeader) + "<preparedreport>" + store_fixtures::SourcePages() +
         store_fixtures::Dictionary() + "<previewpages>" + pages + "</previewpages></preparedreport>";
}

double Seconds(const std::function<void()>& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Saved(TfrxPreviewPages& pages) {
  MemoryStream out;
  pages.SaveToStream(out);
  return out.Data();
}

class HostileDeepDocuments : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { store_fixtures::RegisterClasses(); }
};

// A page element nesting its objects a million deep cannot be built; the error names
// the cut and the other pages of the file still build, paint and save.
TEST_F(HostileDeepDocuments, PagesNestedAMillionDeepFailAloneAndSaveUnchanged) {
  struct Case {
    const char* name;
    std::string deepPage;
    bool builds;         // complete pages drop what is too deep; compact pages refuse the page
    const char* error;   // the start of the error building the page
    size_t fewestObjects, mostObjects;  // on the page, when it builds
  } cases[] = {
      {"compact page of nested bands", "<page0>" + Nest("<b1>", "</b1>") + "</page0>", false,
       "Object tree too deep: b1", 0, 0},
      {"compact page left open", "<page0>" + Nest("<b1 t=\"1\">", "", false), false, "Object tree too deep: b1", 0,
       0},
      // The serializer stops at its depth limit: the page keeps the levels above it.
      {"complete page of nested bands",
       "<TfrxReportPage>" + Nest("<TfrxMasterData Height=\"2\">", "</TfrxMasterData>") + "</TfrxReportPage>", true,
       "", 200, 257},
      // An element of a class this program does not know is kept whole, as one object.
      {"compact page of unknown elements", "<page0>" + Nest("<zz>", "</zz>") + "</page0>", true, "", 1, 1},
      // An alias missing from the dictionary is a damaged file: the first one stops the page.
      {"compact page of dangling aliases", "<page0>" + Nest("<z1>", "</z1>") + "</page0>", false,
       "Class z1 not found", 0, 0},
  };
  const std::string good = "<page0><m1 u=\"kept\"/></page0>";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // A page left open takes everything after it, so it ends the file.
    const bool open = c.deepPage.find("</page0>") == std::string::npos &&
                      c.deepPage.find("</TfrxReportPage>") == std::string::npos;
    const std::string file =
        open ? PagesLast("").substr(0, PagesLast("").find("</previewpages>")) + good + c.deepPage
             : PagesLast(good + c.deepPage);
    TfrxPreviewPages pages(nullptr);
    const double seconds = Seconds([&] {
      MemoryStream in(file);
      pages.LoadFromStream(in);
      ASSERT_EQ(pages.Count(), 2);
      EXPECT_NE(pages.PageObject(0), nullptr);
      if (c.builds) {
        TfrxReportPage* page = pages.PageObject(1);
        ASSERT_NE(page, nullptr);
        EXPECT_LE(page->AllObjects().size(), c.mostObjects);
        EXPECT_GE(page->AllObjects().size(), c.fewestObjects);
        RecordingCanvas canvas;
        pages.PaintPage(1, canvas, 1, 1, 0, 0);
      } else {
        try {
          pages.PageObject(1);
          ADD_FAILURE() << "a million-deep compact page was built";
        } catch (const Exception& e) {
          EXPECT_FALSE(std::string(e.what()).empty());
          EXPECT_EQ(std::string(e.what()).rfind(c.error, 0), 0u) << e.what();
        }
      }
      // Saving writes the deep page back as it was read, all million levels.
      const std::string saved = Saved(pages);
      EXPECT_NE(saved.find(c.deepPage.substr(0, 100000)), std::string::npos);
      EXPECT_GT(saved.size(), file.size() - 100);
    });
    EXPECT_LT(seconds, 20) << "load, build, paint and save";
  }
}

// A built page nesting objects to the deepest level read is put back into the
// document, saved, loaded and built again: building, freeing and writing that object
// tree work without recursion limits of their own.
TEST_F(HostileDeepDocuments, TheDeepestObjectTreeReadSurvivesReplaceSaveAndLoad) {
  const std::string file = Document("<TfrxReportPage>" +
                                    Nest("<TfrxMasterData Height=\"2\">", "</TfrxMasterData>") +
                                    "</TfrxReportPage>");
  TfrxPreviewPages pages(nullptr);
  MemoryStream in(file);
  pages.LoadFromStream(in);
  TfrxReportPage* page = pages.PageObject(0);
  ASSERT_NE(page, nullptr);
  const size_t objects = page->AllObjects().size();
  pages.ReplacePage(0, *page);
  const std::string saved = Saved(pages);
  TfrxPreviewPages again(nullptr);
  MemoryStream back(saved);
  again.LoadFromStream(back);
  ASSERT_EQ(again.Count(), 1);
  ASSERT_NE(again.PageObject(0), nullptr);
  EXPECT_EQ(again.PageObject(0)->AllObjects().size(), objects);
  EXPECT_EQ(Saved(again), saved);
}

// Nesting outside the pages: at the root, in unknown sections and inside each known
// section. The file loads (or fails with the format error when its end tags do not
// match), the ordinary page still builds, and the outline is walked to its bottom.
TEST_F(HostileDeepDocuments, SectionsNestedAMillionDeepLoadWithTheirPages) {
  const std::string page = "<page0><m1 u=\"kept\"/></page0>";
  struct Case {
    const char* name;
    std::string file;
    const char* error;  // empty: the load succeeds
    int pages;
  } cases[] = {
      {"unknown section", Document(page, "<extra>" + Nest("<x>", "</x>") + "</extra>"), "", 1},
      {"unknown section never closed",
       std::string(store_fixtures::kHeader) + "<preparedreport><previewpages>" + page + "</previewpages>" +
           store_fixtures::SourcePages() + store_fixtures::Dictionary() + "<extra>" + Nest("<x>", "", false),
       "", 1},
      {"root element of a million levels", std::string(store_fixtures::kHeader) + Nest("<r>", "</r>"), "", 0},
      {"end tags that do not match", std::string(store_fixtures::kHeader) + Nest("<r>", "</q>"),
       "Invalid file format", 0},
      {"source page objects", std::string(store_fixtures::kHeader) +
                                  "<preparedreport><previewpages>" + page +
                                  "</previewpages><sourcepages><TfrxReportPage>"
                                  "<TfrxMemoView Name=\"Memo1\"/>" +
                                  Nest("<TfrxMasterData>", "</TfrxMasterData>") +
                                  "</TfrxReportPage></sourcepages><dictionary><m1 name=\"Page0.Memo1\"/></dictionary>" +
                                  "</preparedreport>",
       "", 1},
      {"dictionary entry",
       std::string(store_fixtures::kHeader) + "<preparedreport><previewpages>" + page + "</previewpages>" +
           store_fixtures::SourcePages() + "<dictionary><m1 name=\"Page0.Memo1\">" + Nest("<m>", "</m>") +
           "</m1></dictionary></preparedreport>",
       "", 1},
      {"picture cache item", Document(page, "<picturecache><item stream=\"00\">" + Nest("<i>", "</i>") +
                                                "</item></picturecache>"),
       "", 1},
      {"outline", Document(page, "<outline>" + Nest("<item text=\"t\" page=\"0\" top=\"5\">", "</item>") +
                                     "</outline>"),
       "", 1},
      {"anchors", Document(page, "<anchors>" + Nest("<item text=\"a\" page=\"0\" top=\"1\">", "</item>") +
                                     "</anchors>"),
       "", 1},
      {"report settings", Document(page, "<report><TfrxReport>" + Nest("<TfrxReportPage>", "</TfrxReportPage>") +
                                             "</TfrxReport></report>"),
       "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const double seconds = Seconds([&] {
      TfrxReport report(nullptr);
      TfrxPreviewPages pages(&report);
      MemoryStream in(c.file);
      std::string error;
      try {
        pages.LoadFromStream(in);
      } catch (const Exception& e) {
        error = e.what();
      }
      EXPECT_EQ(error, c.error);
      if (!error.empty()) return;
      ASSERT_EQ(pages.Count(), c.pages);
      if (c.pages > 0) {
        EXPECT_NE(pages.PageObject(0), nullptr);
      }
      TfrxOutline& outline = pages.Outline();
      outline.LevelRoot();
      int levels = 0;
      while (outline.Count() > 0) {
        outline.LevelIn(0);
        ++levels;
      }
      EXPECT_EQ(levels, std::string(c.name) == "outline" ? kDepth : 0);
      outline.LevelRoot();
      // Written back and read again without change.
      const std::string saved = Saved(pages);
      TfrxPreviewPages again(&report);
      MemoryStream back(saved);
      again.LoadFromStream(back);
      EXPECT_EQ(again.Count(), c.pages);
      EXPECT_EQ(Saved(again), saved);
    });
    EXPECT_LT(seconds, 20);
  }
}

}  // namespace
}  // namespace quarlo
