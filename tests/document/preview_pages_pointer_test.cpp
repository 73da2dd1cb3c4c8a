// The store's pointer handling over a hand-made page of links, hints, a drill-down
// header and a view with its own cursor: what it reports to the preview, where clicks
// lead and when a clicked page is stored again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/preview_pages.h"
#include "document/preview_pages_pointer.h"
#include "platform/stream.h"
#include "support/link_report.h"
#include "objects/view.h"
#include "resources/cursor_ids.h"
#include "store_fixtures.h"

namespace quarlo {
namespace {

using namespace quarlo::testing;

struct RecordingHost : PreviewPointerHost {
  std::vector<std::pair<std::string, bool>> status;
  std::string tooltip;
  int tooltipsHidden = 0;
  std::vector<std::pair<int, int>> positions;
  std::vector<std::string> urls;
  std::vector<std::string> clicked;
  std::vector<bool> clickDouble;
  std::vector<std::string> over;
  std::vector<std::string> drills;
  int modifiedPages = 0;
  bool hints = true;
  // The click handler's answer, and what it does to the view first.
  bool reportModified = false;

  void ShowStatusText(const std::string& text, bool hint) override { status.emplace_back(text, hint); }
  bool UseReportHints() const override { return hints; }
  void ShowTooltip(const std::string& text) override { tooltip = text; }
  void HideTooltip() override { ++tooltipsHidden; }
  void ShowPosition(int page, int top) override { positions.emplace_back(page, top); }
  void OpenURL(const std::string& url) override { urls.push_back(url); }
  bool ClickObject(TfrxView* view, int, unsigned, bool doubleClick) override {
    clicked.push_back(view->Name());
    clickDouble.push_back(doubleClick);
    if (reportModified) view->SetURL("@5");
    return reportModified;
  }
  void MouseOverObject(TfrxView* view) override { over.push_back(view->Name()); }
  void ToggleDrillDown(const std::string& name) override { drills.push_back(name); }
  void PageModified() override { ++modifiedPages; }

  // The last text shown in one status area.
  std::string Last(bool hint) const {
    for (auto it = status.rbegin(); it != status.rend(); ++it)
      if (it->second == hint) return it->first;
    return "<none>";
  }
};

class PointerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { store_fixtures::RegisterClasses(); }
  void SetUp() override {
    MemoryStream stream(LinkReportXml());
    pages.LoadFromStream(stream);
  }
  // Pointer at the centre of a view of page 1, painted at `scale` with its corner at
  // (offset, offset).
  int Point(const LinkViewPlace& at, bool click = false, double scale = 1, int offset = 0,
            bool doubleClick = false, int button = kPointerLeftButton) {
    int cursor = crHand;
    const int x = static_cast<int>((at.left + at.width / 2) * scale) + offset;
    const int y = static_cast<int>((at.top + at.height / 2) * scale) + offset;
    pages.HandlePointer(0, x, y, button, 0, scale, offset, offset, click, cursor, doubleClick, host);
    return cursor;
  }

  TfrxPreviewPages pages{nullptr};
  RecordingHost host;
};

TEST_F(PointerTest, HoverShowsCursorLinkAndHint) {
  struct Case {
    const char* name;
    LinkViewPlace at;
    int cursor;
    std::string link;
    std::string longHint;
    std::string tooltip;
  } cases[] = {
      {"page link", kPageLink, crHandPoint, "@3", "", ""},
      {"web link", kWebLink, crHandPoint, "https://example.invalid/a", "", ""},
      {"hint", kHintView, crHand, "", "long", "short"},
      {"own cursor", kCursorView, crCross, "", "", ""},
      {"drill-down header", kDrillHeader, crHandPoint, "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (double scale : {1.0, 2.5}) {
      host = RecordingHost();
      EXPECT_EQ(Point(c.at, false, scale, 37), c.cursor);
      // Both areas are cleared first, then the view's texts follow.
      ASSERT_GE(host.status.size(), 2u);
      EXPECT_EQ(host.status[0], std::make_pair(std::string(), false));
      EXPECT_EQ(host.status[1], std::make_pair(std::string(), true));
      EXPECT_EQ(host.Last(false), c.link);
      EXPECT_EQ(host.Last(true), c.longHint);
      EXPECT_EQ(host.tooltip, c.tooltip);
      EXPECT_TRUE(host.positions.empty() && host.urls.empty() && host.clicked.empty());
    }
  }
}

TEST_F(PointerTest, HoverRaisesMouseOverForTheTopmostViewOnly) {
  Point(kPageLink);
  EXPECT_EQ(host.over, std::vector<std::string>{"PageLink"});
  host = RecordingHost();
  // Between two views: nothing under the pointer, the default cursor stays.
  EXPECT_EQ(Point(LinkViewPlace{0, 25, 100, 10}), crHand);
  EXPECT_TRUE(host.over.empty());
}

TEST_F(PointerTest, HintsFollowTheReportHintsSwitch) {
  host.hints = false;
  Point(kHintView);
  EXPECT_EQ(host.tooltip, "");
  EXPECT_EQ(host.Last(true), "");
  host = RecordingHost();
  // Moving off a view with a hint switches the tooltip off.
  Point(kPageLink);
  EXPECT_GE(host.tooltipsHidden, 1);
}

TEST_F(PointerTest, ClicksFollowLinks) {
  struct Case {
    const char* name;
    LinkViewPlace at;
    std::vector<std::pair<int, int>> positions;
    std::vector<std::string> urls;
  } cases[] = {
      {"page", kPageLink, {{3, 0}}, {}},
      // The later of two anchors named alike, ignoring case; its page is 0-based.
      {"anchor", kAnchorLink, {{4, 100}}, {}},
      {"missing anchor", kMissingAnchor, {}, {}},
      {"desktop", kWebLink, {}, {"https://example.invalid/a"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host = RecordingHost();
    Point(c.at, true);
    EXPECT_EQ(host.positions, c.positions);
    EXPECT_EQ(host.urls, c.urls);
    ASSERT_EQ(host.clicked.size(), 1u);
    EXPECT_FALSE(host.clickDouble[0]);
    EXPECT_TRUE(host.over.empty());
  }
}

TEST_F(PointerTest, DoubleClickRaisesTheDoubleClickEvent) {
  Point(kCursorView, true, 1, 0, true);
  ASSERT_EQ(host.clickDouble.size(), 1u);
  EXPECT_TRUE(host.clickDouble[0]);
}

TEST_F(PointerTest, DrillDownHeaderTogglesOnLeftClickOnly) {
  Point(kDrillHeader, true, 1, 0, false, kPointerRightButton);
  EXPECT_TRUE(host.drills.empty());
  Point(kDrillHeader, true);
  EXPECT_EQ(host.drills, std::vector<std::string>{"g1"});
  // A click on the header is not a click on a view.
  EXPECT_TRUE(host.clicked.empty());
}

TEST_F(PointerTest, ModifiedClickStoresThePageAgain) {
  host.reportModified = true;
  Point(kCursorView, true);
  EXPECT_EQ(host.modifiedPages, 1);
  // The handler's change is in the store: the view now links to page 5.
  host = RecordingHost();
  Point(kCursorView, true);
  EXPECT_EQ(host.positions, (std::vector<std::pair<int, int>>{{5, 0}}));

  host = RecordingHost();
  Point(kPageLink, true);
  EXPECT_EQ(host.modifiedPages, 0);
}

TEST_F(PointerTest, IndexWithoutPageDoesNothing) {
  for (int index : {-1, kLinkReportPages, 1 << 30}) {
    int cursor = crHand;
    pages.HandlePointer(index, 10, 10, kPointerLeftButton, 0, 1, 0, 0, true, cursor, false, host);
    EXPECT_EQ(cursor, crHand);
  }
  EXPECT_TRUE(host.status.empty());
}

TEST_F(PointerTest, MarginsMoveTheViews) {
  // A page with a 10 mm left margin, mirrored on odd indexes to a 20 mm right one.
  MemoryStream stream(store_fixtures::Document(
      "<TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\" LeftMargin=\"10\" RightMargin=\"20\" "
      "TopMargin=\"5\" MirrorMargins=\"True\"><TfrxMemoView Name=\"M\" Left=\"0\" Top=\"0\" Width=\"10\" "
      "Height=\"10\" URL=\"@1\"/></TfrxReportPage>"
      "<TfrxReportPage PaperWidth=\"210\" PaperHeight=\"297\" LeftMargin=\"10\" RightMargin=\"20\" "
      "TopMargin=\"5\" MirrorMargins=\"True\"><TfrxMemoView Name=\"M\" Left=\"0\" Top=\"0\" Width=\"10\" "
      "Height=\"10\" URL=\"@1\"/></TfrxReportPage>"));
  pages.LoadFromStream(stream);
  struct Case {
    int index, x, y, cursor;
  } cases[] = {
      {0, 38, 19, crHandPoint},  // 10 mm = 37.8 px, 5 mm = 18.9 px
      {0, 36, 19, crHand},
      {1, 76, 19, crHandPoint},  // mirrored: 20 mm = 75.6 px
      {1, 40, 19, crHand},
  };
  for (const Case& c : cases) {
    int cursor = crHand;
    pages.HandlePointer(c.index, c.x, c.y, kPointerLeftButton, 0, 1, 0, 0, false, cursor, false, host);
    EXPECT_EQ(cursor, c.cursor) << c.index << " " << c.x;
  }
}

TEST(HintPartsTest, SplitsAtTheFirstBar) {
  struct Case {
    const char* hint;
    const char* shortPart;
    const char* longPart;
  } cases[] = {{"a|b", "a", "b"}, {"plain", "plain", "plain"}, {"a|b|c", "a", "b|c"}, {"|x", "", "x"}};
  for (const Case& c : cases) {
    EXPECT_EQ(ShortHint(c.hint), c.shortPart);
    EXPECT_EQ(LongHint(c.hint), c.longPart);
  }
}

}  // namespace
}  // namespace quarlo
