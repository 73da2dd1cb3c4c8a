// Building pages from their elements: compact objects start from their template and
// take their own attributes on top, complete pages are read whole, and a bad page
// fails alone when it is built.
#include <gtest/gtest.h>

#include <string>

#include "platform/errors.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "objects/band.h"
#include "objects/class_registry.h"
#include "objects/memo_view.h"
#include "objects/picture_view.h"
#include "objects/report_page.h"
#include "objects/special/dmp_page.h"
#include "platform/codepage.h"
#include "platform/utf_text.h"
#include "store_fixtures.h"
#include "support/report_generator_pictures.h"

namespace quarlo {
namespace {

using namespace store_fixtures;

class PageBuildTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClasses(); }
  void Load(const std::string& document) {
    MemoryStream s(document);
    pages.LoadFromStream(s);
  }
  TfrxPreviewPages pages{nullptr};
};

std::string MemoText(const TfrxComponent* c) {
  const auto* memo = As<TfrxCustomMemoView>(c);
  return memo ? Utf16ToUtf8(memo->Memo().Text()) : "<not a memo>";
}

TEST_F(PageBuildTest, AFreshOrClearedStoreHasNoPages) {
  EXPECT_EQ(pages.Count(), 0);
  EXPECT_EQ(pages.PageObject(0), nullptr);
  EXPECT_EQ(pages.PageExtent(0), (PagePixelSize{0, 0}));
  Load(Document("<page0/>"));
  EXPECT_EQ(pages.Count(), 1);
  pages.Clear();
  EXPECT_EQ(pages.Count(), 0);
  EXPECT_EQ(pages.PageObject(0), nullptr);
  EXPECT_TRUE(pages.SourcePages().empty());
}

TEST_F(PageBuildTest, CompactObjectsOverrideTheirTemplatesAndTakeTheirNames) {
  Load(Document("<page0><b1 t=\"100\"><m1 l=\"50\" u=\"你好\"/><m1/></b1></page0>"));
  TfrxReportPage* page = pages.PageObject(0);
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->Objects().size(), 1u);
  TfrxComponent* band = page->Objects()[0];
  EXPECT_EQ(band->ClassName(), "TfrxMasterData");
  EXPECT_EQ(band->Name(), "MasterData1");
  EXPECT_DOUBLE_EQ(band->Top(), 100);
  EXPECT_DOUBLE_EQ(band->Height(), 40);  // from the template
  ASSERT_EQ(band->Objects().size(), 2u);
  const TfrxComponent* first = band->Objects()[0];
  const TfrxComponent* second = band->Objects()[1];
  EXPECT_EQ(first->Name(), "Memo1");
  EXPECT_DOUBLE_EQ(first->Left(), 50);
  EXPECT_DOUBLE_EQ(first->Top(), 6);
  EXPECT_EQ(MemoText(first), "你好\r\n");
  EXPECT_DOUBLE_EQ(second->Left(), 5);
  EXPECT_EQ(MemoText(second), "template\r\n");
  EXPECT_EQ(first->Parent(), band);
}

TEST_F(PageBuildTest, AnElementNameThatIsNoAliasIsAClassName) {
  Load(Document("<page0><b1><TfrxShapeView l=\"7\" w=\"8\" h=\"9\"/></b1></page0>"));
  const TfrxComponent* shape = pages.PageObject(0)->Objects()[0]->Objects()[0];
  EXPECT_EQ(shape->ClassName(), "TfrxShapeView");
  EXPECT_DOUBLE_EQ(shape->Left(), 7);
  EXPECT_DOUBLE_EQ(shape->Height(), 9);
}

TEST_F(PageBuildTest, PicturesReachTheirObjectsByImageIndex) {
  const std::string png = testing::MakePng(4, 3);
  std::string hex;
  for (unsigned char c : png) {
    hex += "0123456789ABCDEF"[c >> 4];
    hex += "0123456789ABCDEF"[c & 15];
  }
  Load(Document("<page0><b1><p1 ImageIndex=\"0\"/><p1 ImageIndex=\"2\"/><p1 ImageIndex=\"3\"/>"
                "<p1 ImageIndex=\"1\"/></b1></page0>",
                // Item 1: 15 bytes starting with "BM", a bitmap too short to be sized.
                "<picturecache><item stream=\"424D00000000000000000000000000\"/><item stream=\"" +
                    hex + "\"/></picturecache>"));
  const auto& views = pages.PageObject(0)->Objects()[0]->Objects();
  ASSERT_EQ(views.size(), 4u);
  struct Case {
    int imageIndex;
    TGraphicKind kind;
  };
  const Case cases[] = {{0, TGraphicKind::None},
                        {2, TGraphicKind::Png},
                        {3, TGraphicKind::None},  // beyond the cache
                        {1, TGraphicKind::Bitmap}};
  for (size_t i = 0; i < views.size(); ++i) {
    const auto* view = As<TfrxPictureView>(views[i]);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->ImageIndex(), cases[i].imageIndex);
    EXPECT_EQ(view->Picture().Kind(), cases[i].kind) << "ImageIndex " << cases[i].imageIndex;
  }
  EXPECT_EQ(As<TfrxPictureView>(views[1])->Picture().Data(), png);
}

TEST_F(PageBuildTest, AnAutoSizedPictureTakesTheSizeOfItsCachedPicture) {
  const std::string bmp = testing::MakeBmp(17, 11);
  std::string hex;
  for (unsigned char c : bmp) {
    hex += "0123456789ABCDEF"[c >> 4];
    hex += "0123456789ABCDEF"[c & 15];
  }
  Load(Document("<page0><b1><p1 AutoSize=\"True\" ImageIndex=\"1\"/><p1 ImageIndex=\"1\"/>"
                "</b1></page0>",
                "<picturecache><item stream=\"" + hex + "\"/></picturecache>"));
  const auto& views = pages.PageObject(0)->Objects()[0]->Objects();
  ASSERT_EQ(views.size(), 2u);
  EXPECT_DOUBLE_EQ(views[0]->Width(), 17);
  EXPECT_DOUBLE_EQ(views[0]->Height(), 11);
  EXPECT_DOUBLE_EQ(views[1]->Width(), 30);  // the template's size
}

TEST_F(PageBuildTest, AnEmptyCompactPageHasItsSourcePagesSizeAndBackgroundOnly) {
  Load(Document("<page0/><page1 PaperWidth=\"10\"/>"));
  TfrxReportPage* page = pages.PageObject(1);
  EXPECT_TRUE(page->Objects().empty());
  EXPECT_EQ(page->Orientation(), TPrinterOrientation::poLandscape);
  EXPECT_DOUBLE_EQ(page->PaperWidth(), 210);  // the element's own attributes are ignored
  EXPECT_EQ(page->Color(), 65535);
  EXPECT_EQ(pages.PageExtent(1), (PagePixelSize{794, 559}));
  EXPECT_EQ(pages.PageExtent(0), (PagePixelSize{794, 1123}));
}

TEST_F(PageBuildTest, CompletePagesAreReadWholeAsReportOrDotMatrixPages) {
  Load(Document("<TfrxReportPage PaperWidth=\"100\" PaperHeight=\"50\">"
                "<TfrxMasterData Name=\"B\" Height=\"10\"><TfrxMemoView Name=\"M\" Text=\"x\"/>"
                "</TfrxMasterData></TfrxReportPage><tfrxdmppage/>"));
  TfrxReportPage* page = pages.PageObject(0);
  EXPECT_FALSE(page->IsDotMatrix());
  EXPECT_DOUBLE_EQ(page->PaperWidth(), 100);
  ASSERT_EQ(page->AllObjects().size(), 2u);
  EXPECT_EQ(MemoText(page->AllObjects()[1]), "x\r\n");
  EXPECT_TRUE(pages.PageObject(1)->IsDotMatrix());
  EXPECT_NE(As<TfrxDMPPage>(pages.PageObject(1)), nullptr);
}

TEST_F(PageBuildTest, ABadPageFailsWhenBuiltAndTheOthersStillWork) {
  std::string deep;
  for (int i = 0; i < 300; ++i) deep = "<b1>" + deep + "</b1>";
  Load(Document("<page0><b1/></page0><page7/><pageX/><page/><page0><zz9/></page0>"
                "<page0><TfrxNoSuchView/></page0><page0>" + deep + "</page0><page123456/>"));
  struct Case {
    int index;
    const char* message;
  };
  const Case cases[] = {
      {1, "List index out of bounds (7)"},
      {2, "'X' is not a valid integer value"},
      {3, "'' is not a valid integer value"},
      {4, "Class zz9 not found"},
      {6, "Object tree too deep: b1"},
      {7, "List index out of bounds (12345)"},  // at most five digits are read
  };
  for (const Case& c : cases) {
    try {
      pages.PageObject(c.index);
      ADD_FAILURE() << "page " << c.index << " was built";
    } catch (const Exception& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << "page " << c.index;
    }
  }
  // A class of another producer is left out of a page that still builds.
  ASSERT_NE(pages.PageObject(5), nullptr);
  EXPECT_EQ(pages.LeftOutClasses().at(5), std::vector<std::string>{"TfrxNoSuchView"});
  // Measuring a compact page reads its source page and fails the same way.
  EXPECT_THROW(pages.PageExtent(1), Exception);
  EXPECT_NE(pages.PageObject(0), nullptr);
  EXPECT_EQ(pages.PageExtent(0), (PagePixelSize{794, 1123}));
  EXPECT_THROW(pages.PageObject(8), Exception);  // beyond the last page
}

TEST_F(PageBuildTest, ADictionaryEntryWithoutItsObjectMakesItsUsersUnknownClasses) {
  const std::string doc =
      std::string(kHeader) + "<preparedreport><previewpages><page0><m1/></page0><page0/>" +
      "</previewpages>" + SourcePages() +
      "<dictionary><m1 name=\"Page0.NoSuchMemo\"/></dictionary></preparedreport>";
  Load(doc);
  EXPECT_THROW(pages.PageObject(0), EClassNotFound);
  EXPECT_NE(pages.PageObject(1), nullptr);
}

TEST_F(PageBuildTest, MeasuringACompactPageBuildsNothing) {
  Load(Document("<page0><b1/></page0><TfrxReportPage PaperWidth=\"100\" PaperHeight=\"100\"/>"));
  EXPECT_EQ(pages.PageExtent(0), (PagePixelSize{794, 1123}));
  EXPECT_TRUE(pages.PagesInCache().empty());
  EXPECT_EQ(pages.PageExtent(1), (PagePixelSize{378, 378}));
  EXPECT_EQ(pages.PagesInCache(), (std::vector<int>{1}));
}

}  // namespace
}  // namespace quarlo
