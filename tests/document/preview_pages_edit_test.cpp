// Editing pages in the store: a blank page inserted before another, removing pages
// (never the last one), and replacing a page by a complete one that saves and loads
// back with the same objects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/preview_pages.h"
#include "platform/stream.h"
#include "xml/xml_document.h"
#include "objects/memo_view.h"
#include "objects/picture_view.h"
#include "objects/report_page.h"
#include "platform/codepage.h"
#include "platform/utf_text.h"
#include "store_fixtures.h"
#include "support/report_generator_pictures.h"

namespace quarlo {
namespace {

using namespace store_fixtures;

class PageEditTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClasses(); }
  void Load(const std::string& document) {
    MemoryStream s(document);
    pages.LoadFromStream(s);
  }
  // The band top each page was given, to tell pages apart; -1 for a page without band.
  std::vector<int> BandTops() {
    std::vector<int> tops;
    for (int i = 0; i < pages.Count(); ++i) {
      TfrxReportPage* p = pages.PageObject(i);
      tops.push_back(p->Objects().empty() ? -1 : static_cast<int>(p->Objects()[0]->Top()));
    }
    return tops;
  }
  std::string Saved() {
    MemoryStream out;
    pages.SaveToStream(out);
    return out.Data();
  }
  TfrxPreviewPages pages{nullptr};
};

TEST_F(PageEditTest, ABlankPageGoesBeforeTheGivenPageWithItsSizeAndBackground) {
  Load(Document("<page0><b1 t=\"0\"/></page0><page0><b1 t=\"1\"/></page0>"
                "<page0><b1 t=\"2\"/></page0><page1><m2 t=\"3\"/></page1>"));
  pages.InsertBlankPage(3);
  ASSERT_EQ(pages.Count(), 5);
  EXPECT_EQ(BandTops(), (std::vector<int>{0, 1, 2, -1, 3}));
  TfrxReportPage* blank = pages.PageObject(3);
  EXPECT_EQ(blank->Color(), 65535);
  EXPECT_EQ(pages.PageExtent(3), pages.PageExtent(4));
  EXPECT_EQ(pages.PagesSection()->Items(3)->Name, "page1");
}

TEST_F(PageEditTest, ABlankCopyOfACompletePageKeepsItsPaperButNotItsObjects) {
  Load(Document("<TfrxReportPage PaperWidth=\"100\" PaperHeight=\"80\" Color=\"255\">"
                "<TfrxMasterData Name=\"B\" Height=\"10\"/></TfrxReportPage>"));
  pages.InsertBlankPage(0);
  ASSERT_EQ(pages.Count(), 2);
  EXPECT_TRUE(pages.PageObject(0)->Objects().empty());
  EXPECT_EQ(pages.PageObject(0)->Color(), 255);
  EXPECT_EQ(pages.PageExtent(0), pages.PageExtent(1));
  EXPECT_EQ(pages.PageObject(1)->Objects().size(), 1u);
}

TEST_F(PageEditTest, InsertingIntoAnEmptyStoreDoesNothing) {
  pages.InsertBlankPage(0);
  EXPECT_EQ(pages.Count(), 0);
}

TEST_F(PageEditTest, RemovingTakesThatPageButNeverTheLastOne) {
  Load(Document("<page0><b1 t=\"0\"/></page0><page0><b1 t=\"1\"/></page0>"
                "<page0><b1 t=\"2\"/></page0>"));
  pages.RemovePage(1);
  EXPECT_EQ(BandTops(), (std::vector<int>{0, 2}));
  pages.RemovePage(0);
  EXPECT_EQ(BandTops(), (std::vector<int>{2}));
  pages.RemovePage(0);
  EXPECT_EQ(BandTops(), (std::vector<int>{2}));
}

TEST_F(PageEditTest, AReplacedPageIsSavedCompleteAndLoadsBackWithTheSameObjects) {
  std::string hex;
  const std::string png = testing::MakePng(6, 5);
  for (unsigned char c : png) {
    hex += "0123456789ABCDEF"[c >> 4];
    hex += "0123456789ABCDEF"[c & 15];
  }
  Load(Document("<page0><b1 t=\"0\"/></page0>"
                "<page1><m2 l=\"11\" u=\"old\"/></page1>"
                "<page0><b1 t=\"30\"><m1 u=\"kept\"/><p1 ImageIndex=\"1\"/></b1></page0>",
                "<picturecache><item stream=\"" + hex + "\"/></picturecache>"));
  TfrxReportPage* page = pages.PageObject(2);
  auto* memo = As<TfrxCustomMemoView>(page->Objects()[0]->Objects()[0]);
  memo->Memo().SetText(u"新的文字");
  page->SetLeftMargin(15);
  pages.ReplacePage(2, *page);
  EXPECT_TRUE(pages.PagesInCache().empty());
  EXPECT_EQ(pages.PagesSection()->Items(2)->Name, "TfrxReportPage");
  EXPECT_EQ(pages.PagesSection()->Items(1)->Name, "page1");

  const std::string saved = Saved();
  TfrxPreviewPages reloaded(nullptr);
  MemoryStream in(saved);
  reloaded.LoadFromStream(in);
  ASSERT_EQ(reloaded.Count(), 3);
  TfrxReportPage* again = reloaded.PageObject(2);
  EXPECT_DOUBLE_EQ(again->LeftMargin(), 15);
  const auto objects = again->AllObjects();
  ASSERT_EQ(objects.size(), 3u);
  EXPECT_EQ(objects[0]->ClassName(), "TfrxMasterData");
  EXPECT_EQ(objects[0]->Name(), "MasterData1");
  EXPECT_DOUBLE_EQ(objects[0]->Top(), 30);
  EXPECT_EQ(objects[1]->Name(), "Memo1");
  EXPECT_EQ(Utf16ToUtf8(As<TfrxCustomMemoView>(objects[1])->Memo().Text()), "新的文字\r\n");
  const auto* picture = As<TfrxPictureView>(objects[2]);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Picture().Data(), png);  // inline now, not from the cache
  EXPECT_NE(saved.find("Picture.PropData"), std::string::npos);
  // The untouched compact page is still compact.
  EXPECT_EQ(As<TfrxCustomMemoView>(reloaded.PageObject(1)->Objects()[0])->Memo().Text(), u"old\r\n");
}

}  // namespace
}  // namespace quarlo
