// Walking the outline with the cursor as the preview builds its tree, and finding
// anchors: the last match wins and case does not matter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/anchors.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "xml/xml_document.h"
#include "platform/codepage.h"
#include "store_fixtures.h"

namespace quarlo {
namespace {

using namespace store_fixtures;

// "text@page:top" per entry, children in brackets, in walking order.
std::string Walk(TfrxOutline& outline) {
  std::string out;
  for (int i = 0; i < outline.Count(); ++i) {
    std::string text;
    int top = -1, page = -1;
    outline.ItemInfo(i, text, top, page);
    out += text + "@" + std::to_string(page) + ":" + std::to_string(top);
    outline.LevelIn(i);
    if (outline.Count() > 0) out += "[" + Walk(outline) + "]";
    outline.LevelUp();
    if (i + 1 < outline.Count()) out += " ";
  }
  return out;
}

class OutlineTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClasses(); }
  void Load(const std::string& more) {
    MemoryStream s(Document("<page0/><page0/><page0/>", more));
    pages.LoadFromStream(s);
  }
  TfrxPreviewPages pages{nullptr};
};

TEST_F(OutlineTest, WalkingGivesTheTreeInOrderWithMissingNumbersLeftToTheCaller) {
  Load("<outline><item text=\"A\" page=\"0\" top=\"10\">"
       "<item text=\"A1\" page=\"1\" top=\"20\"/><item text=\"A2\" page=\"1\">"
       "<item text=\"A2a\" page=\"2\" top=\"\"/></item></item>"
       "<item text=\"B &#38; C\" top=\"5\"/><item text=\"D\" page=\"x\" top=\"7\"/></outline>");
  TfrxOutline& outline = pages.Outline();
  EXPECT_EQ(outline.Count(), 0) << "no current element before LevelRoot";
  outline.LevelRoot();
  EXPECT_EQ(Walk(outline), "A@0:10[A1@1:20 A2@1:-1[A2a@2:-1]] B & C@-1:5 D@-1:7");
}

TEST_F(OutlineTest, LevelUpAtTheRootStaysAtTheRootAndBadIndexesChangeNothing) {
  Load("<outline><item text=\"A\"><item text=\"A1\"/></item></outline>");
  TfrxOutline& outline = pages.Outline();
  outline.LevelRoot();
  outline.LevelUp();
  EXPECT_EQ(outline.CurItem(), outline.RootItem());
  outline.LevelIn(5);
  EXPECT_EQ(outline.CurItem(), outline.RootItem());
  std::string text = "unchanged";
  int top = 3, page = 4;
  outline.ItemInfo(1, text, top, page);
  EXPECT_EQ(text, "unchanged");
  outline.LevelIn(0);
  EXPECT_EQ(outline.Count(), 1);
}

TEST_F(OutlineTest, AFileWithoutOutlineGivesAnEmptyTreeAndOnlyTheFirstSectionCounts) {
  Load("");
  pages.Outline().LevelRoot();
  EXPECT_EQ(pages.Outline().Count(), 0);
  Load("<outline><item text=\"first\"/></outline><outline><item text=\"a\"/><item text=\"b\"/>"
       "</outline>");
  pages.Outline().LevelRoot();
  EXPECT_EQ(Walk(pages.Outline()), "first@-1:-1");
}

TEST_F(OutlineTest, ClearingAndLoadingForgetTheCursor) {
  Load("<outline><item text=\"A\"/></outline>");
  pages.Outline().LevelRoot();
  pages.Outline().LevelIn(0);
  pages.Clear();
  EXPECT_EQ(pages.Outline().CurItem(), nullptr);
  EXPECT_EQ(pages.Outline().Count(), 0);
  Load("<outline><item text=\"B\"/></outline>");
  EXPECT_EQ(pages.Outline().Count(), 0);
  pages.Outline().LevelRoot();
  EXPECT_EQ(Walk(pages.Outline()), "B@-1:-1");
}

TEST_F(OutlineTest, AnchorsAreFoundLastFirstIgnoringCase) {
  const std::string chinese = Utf8ToSystem("第一节");
  Load("<anchors><item text=\"A\" page=\"0\" top=\"1\"/><item text=\"a\" page=\"2\" top=\"30\"/>"
       "<item text=\"b\" page=\"1\" top=\"5\"/><item text=\"" + chinese + "\" page=\"2\" top=\"9\"/>"
       "<item text=\"\xc4\xe3\" page=\"1\" top=\"0\"/></anchors>");
  struct Case {
    std::string name;
    int page, top;  // page -1: not found
  };
  const Case cases[] = {
      {"a", 2, 30}, {"A", 2, 30}, {"B", 1, 5}, {chinese, 2, 9}, {"c", -1, 0},
      // Trail bytes that look like letters are not folded: 0xC4 0xC3 is another character.
      {"\xc4\xc3", -1, 0},
  };
  for (const Case& c : cases) {
    const TfrxXMLItem* found = FindAnchor(pages, c.name);
    if (c.page < 0) {
      EXPECT_EQ(found, nullptr) << c.name;
      continue;
    }
    ASSERT_NE(found, nullptr) << c.name;
    EXPECT_EQ(found->Prop("page"), std::to_string(c.page)) << c.name;
    EXPECT_EQ(found->Prop("top"), std::to_string(c.top)) << c.name;
  }
  EXPECT_EQ(ListAnchors(pages).size(), 5u);
}

TEST_F(OutlineTest, TextsAreCodePageBytesWhateverTheFileAndABadReferenceKeepsItsRawText) {
  const std::string chapter = Utf8ToSystem("第一章");
  struct Case {
    const char* what;
    std::string header;
    std::string chapterInFile;
  } cases[] = {
      {"code page strings", kHeader, chapter},
      {"UTF-8 strings", "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>", "第一章"},
  };
  for (const Case& c : cases) {
    const std::string document = Document("<page0/><page0/>",
                                          "<outline><item text=\"" + c.chapterInFile + "\" page=\"0\" top=\"1\"/>"
                                          "<item text=\"&#x41; bad\" page=\"1\" top=\"2\"/></outline>"
                                          "<anchors><item text=\"" + c.chapterInFile + "\" page=\"1\" top=\"3\"/>"
                                          "<item text=\"&#12z;\" page=\"0\" top=\"4\"/></anchors>");
    MemoryStream s(c.header + document.substr(std::string(kHeader).size()));
    pages.LoadFromStream(s);
    TfrxOutline& outline = pages.Outline();
    outline.LevelRoot();
    EXPECT_EQ(Walk(outline), chapter + "@0:1 &#x41; bad@1:2") << c.what;
    const std::vector<AnchorEntry> anchors = ListAnchors(pages);
    ASSERT_EQ(anchors.size(), 2u) << c.what;
    EXPECT_EQ(anchors[0].Text, chapter) << c.what;
    EXPECT_EQ(anchors[1].Text, "&#12z;") << c.what;
    ASSERT_NE(FindAnchor(pages, chapter), nullptr) << c.what;
    EXPECT_NE(FindAnchor(pages, "&#12z;"), nullptr) << c.what;
  }
}

TEST_F(OutlineTest, LookingForAnAnchorInAFileWithoutAnchorsAddsNoSection) {
  Load("");
  EXPECT_EQ(FindAnchor(pages, "x"), nullptr);
  EXPECT_EQ(pages.XMLDocument().Root()->Find("anchors"), -1);
}

TEST(AnchorNameTest, FoldingCoversAsciiGreekAndCyrillicLetters) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {{"Total", "tOTAL", true}, {"Ω", "ω", true},
                        {"Д", "д", true},         {"Ё", "ё", true},     {"a", "b", false},
                        {"ab", "a", false},       {"中文", "中文", true}};
  for (const Case& c : cases) {
    EXPECT_EQ(SameAnchorName(Utf8ToSystem(c.a), Utf8ToSystem(c.b)), c.same) << c.a << " " << c.b;
  }
}

}  // namespace
}  // namespace quarlo
