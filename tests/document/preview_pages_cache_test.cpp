// The cache of built pages: a hit hands back the same component, the order is most
// recent first, and PreviewOptions.PagesInCache bounds it (50 by default).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/report.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "objects/report_page.h"
#include "store_fixtures.h"

namespace quarlo {
namespace {

using namespace store_fixtures;

std::string ManyPages(int n) {
  std::string pages;
  for (int i = 0; i < n; ++i) pages += "<page0><b1 t=\"" + std::to_string(i) + "\"/></page0>";
  return Document(pages);
}

// Marks a built page so that a rebuilt one can be told from a kept one.
constexpr int kMark = 4711;

class PageCacheTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClasses(); }
  void Load(TfrxPreviewPages& p, int count) {
    MemoryStream s(ManyPages(count));
    p.LoadFromStream(s);
  }
};

TEST_F(PageCacheTest, AskingTwiceGivesTheSameComponentWithoutRebuilding) {
  TfrxPreviewPages pages(nullptr);
  Load(pages, 3);
  TfrxReportPage* first = pages.PageObject(1);
  first->SetTag(kMark);
  pages.PageObject(2);
  EXPECT_EQ(pages.PageObject(1), first);
  EXPECT_EQ(first->Tag(), kMark);
}

TEST_F(PageCacheTest, HitsMoveToTheFrontAndNewPagesAreInsertedFirst) {
  TfrxPreviewPages pages(nullptr);
  Load(pages, 4);
  for (int i : {0, 1, 2}) pages.PageObject(i);
  EXPECT_EQ(pages.PagesInCache(), (std::vector<int>{2, 1, 0}));
  pages.PageObject(0);  // swapped with the first entry
  EXPECT_EQ(pages.PagesInCache(), (std::vector<int>{0, 1, 2}));
  pages.PageObject(3);
  EXPECT_EQ(pages.PagesInCache(), (std::vector<int>{3, 0, 1, 2}));
}

TEST_F(PageCacheTest, WithTheDefaultSettingsThe51stDifferentPageEvictsTheFirst) {
  TfrxPreviewPages pages(nullptr);
  Load(pages, 60);
  pages.PageObject(0)->SetTag(kMark);
  pages.PageObject(1)->SetTag(kMark);
  for (int i = 2; i < 50; ++i) pages.PageObject(i);
  EXPECT_EQ(pages.PagesInCache().size(), 50u);
  EXPECT_EQ(pages.PagesInCache().back(), 0);
  pages.PageObject(50);
  EXPECT_EQ(pages.PagesInCache().size(), 50u);
  EXPECT_EQ(pages.PagesInCache().back(), 1);
  EXPECT_EQ(pages.PageObject(1)->Tag(), kMark);
  EXPECT_EQ(pages.PageObject(0)->Tag(), 0) << "page 0 should have been rebuilt";
}

TEST_F(PageCacheTest, TheReportsPagesInCacheBoundsTheCacheButOnePageIsAlwaysKept) {
  struct Case {
    int pagesInCache;
    size_t kept;
  };
  for (const Case c : {Case{3, 3}, Case{1, 1}, Case{0, 1}, Case{-5, 1}}) {
    TfrxReport report(nullptr);
    report.PreviewOptions().SetPagesInCache(c.pagesInCache);
    TfrxPreviewPages pages(&report);
    Load(pages, 6);
    for (int i = 0; i < 6; ++i) ASSERT_NE(pages.PageObject(i), nullptr);
    EXPECT_EQ(pages.PagesInCache().size(), c.kept) << "PagesInCache " << c.pagesInCache;
    EXPECT_EQ(pages.PagesInCache().front(), 5);
  }
}

TEST_F(PageCacheTest, EditsClearAndLoadsEmptyTheCache) {
  TfrxPreviewPages pages(nullptr);
  Load(pages, 3);
  pages.PageObject(0);
  pages.InsertBlankPage(0);
  EXPECT_TRUE(pages.PagesInCache().empty());
  pages.PageObject(0);
  pages.RemovePage(0);
  EXPECT_TRUE(pages.PagesInCache().empty());
  pages.PageObject(0);
  Load(pages, 2);
  EXPECT_TRUE(pages.PagesInCache().empty());
}

}  // namespace
}  // namespace quarlo
