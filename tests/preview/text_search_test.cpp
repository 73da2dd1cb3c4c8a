// Finding text on recorded pages: one match per text operation, lines of a wrapped memo
// searched apart, letter case rules for Latin and Chinese, the end of the pages, where
// the search starts, the cached recording, the scroll rule and the inverted highlight.
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "report/report.h"
#include "report/report_classes.h"
#include "document/preview_pages.h"
#include "platform/stream.h"
#include "platform/qt/qpainter_canvas.h"
#include "preview/text_search.h"
#include "support/search_report.h"

namespace quarlo {
namespace {

struct Hit {
  int page;  // 0-based
  int memo;  // memo of that page the match lies in
  friend bool operator==(const Hit&, const Hit&) = default;
};

std::ostream& operator<<(std::ostream& os, const Hit& h) { return os << "{page " << h.page << ", memo " << h.memo << "}"; }

int MemoContaining(const CanvasRect& r) {
  for (int memo = 0; memo < 3; ++memo) {
    const CanvasRect m = testing::SearchReportMemoRect(memo);
    if (r.left >= m.left && r.right <= m.right && r.top >= m.top && r.bottom <= m.bottom) return memo;
  }
  return -1;
}

class TextSearchTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterReportClasses(); }
  void SetUp() override {
    MemoryStream stream(testing::SearchReport());
    report.PreviewPages().LoadFromStream(stream);
    ASSERT_EQ(report.PreviewPages().Count(), 3);
  }
  void Start(std::u16string text, bool caseSensitive, int fromPage = 0) {
    SearchState().searchText = std::move(text);
    SearchState().caseSensitive = caseSensitive;
    cursor.Reset();
    cursor.SetMatchPage(fromPage);
  }
  // Every match repeated finds reach, as (page, memo).
  std::vector<Hit> AllHits() {
    std::vector<Hit> hits;
    while (cursor.FindNextMatch(report.PreviewPages())) {
      EXPECT_TRUE(SearchState().matchFound);
      hits.push_back({cursor.MatchPage(), MemoContaining(SearchState().matchRect)});
      if (hits.size() > 20) break;
    }
    EXPECT_FALSE(SearchState().matchFound);
    return hits;
  }
  TfrxReport report{nullptr};
  TextSearchCursor cursor;
};

TEST_F(TextSearchTest, MatchesPerTextOperation) {
  struct Case {
    const char* name;
    std::u16string text;
    bool caseSensitive;
    int fromPage;
    std::vector<Hit> hits;
  } cases[] = {
      // Two occurrences in one line are one match; the next find moves on.
      {"two in one line", u"apple", true, 0, {{0, 0}}},
      {"any letter case", u"apple", false, 0, {{0, 0}, {1, 1}}},
      {"upper case search", u"APPLE PIE", false, 0, {{1, 1}}},
      {"case kept", u"Apple", true, 0, {}},
      {"across a line break", u"strawberry melon", false, 0, {}},
      {"second line alone", u"melon", true, 0, {{1, 0}}},
      {"Chinese", u"销售", true, 0, {{0, 2}, {2, 0}}},
      {"Chinese without case", u"销售", false, 0, {{0, 2}, {2, 0}}},
      {"Latin with Chinese, any case", u"q3销售", false, 0, {{2, 0}}},
      {"Latin with Chinese, exact case", u"q3销售", true, 0, {}},
      {"empty text", u"", false, 0, {}},
      {"from the current page", u"apple", false, 1, {{1, 1}}},
      {"from the last page", u"销售", false, 2, {{2, 0}}},
      {"beyond the pages", u"apple", false, 7, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Start(c.text, c.caseSensitive, c.fromPage);
    EXPECT_EQ(AllHits(), c.hits);
  }
}

TEST_F(TextSearchTest, MatchRectIsTheLineInReportPixels) {
  Start(u"Banana", true);
  ASSERT_TRUE(cursor.FindNextMatch(report.PreviewPages()));
  const CanvasRect r = SearchState().matchRect;
  const CanvasRect memo = testing::SearchReportMemoRect(1);
  // The line starts at the memo's left gap and is as tall as one line of the font.
  EXPECT_NEAR(r.left, memo.left + 2, 2);
  EXPECT_NEAR(r.top, memo.top, 3);
  EXPECT_GT(r.Width(), 20);
  EXPECT_LT(r.Width(), 80);
  EXPECT_GT(r.Height(), 8);
  EXPECT_LT(r.Height(), 25);
  EXPECT_GT(SearchState().matchRecord, 0);
}

TEST_F(TextSearchTest, AfterTheLastMatchNothingIsFoundUntilANewSearch) {
  Start(u"销售", true);
  ASSERT_TRUE(cursor.FindNextMatch(report.PreviewPages()));
  ASSERT_TRUE(cursor.FindNextMatch(report.PreviewPages()));
  EXPECT_FALSE(cursor.FindNextMatch(report.PreviewPages()));
  EXPECT_EQ(cursor.MatchPage(), 3);
  const int recorded = cursor.RecordingsMade();
  EXPECT_FALSE(cursor.FindNextMatch(report.PreviewPages()));
  EXPECT_EQ(cursor.RecordingsMade(), recorded) << "an exhausted search draws nothing";
  Start(u"销售", true);
  EXPECT_TRUE(cursor.FindNextMatch(report.PreviewPages()));
  EXPECT_EQ(cursor.MatchPage(), 0);
}

TEST_F(TextSearchTest, OnePageIsRecordedOnceWhileTheSearchStaysOnIt) {
  Start(u"a", false);
  // Page 1 holds "a" in two of its lines: two finds, one recording.
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(cursor.FindNextMatch(report.PreviewPages()));
    EXPECT_EQ(cursor.MatchPage(), 0);
  }
  EXPECT_EQ(cursor.RecordingsMade(), 1);
  EXPECT_EQ(cursor.RecordedPage(), 0);
  // A relayout forgets the recording: the same page is drawn again.
  cursor.ForgetRecording();
  Start(u"a", false);
  ASSERT_TRUE(cursor.FindNextMatch(report.PreviewPages()));
  EXPECT_EQ(cursor.RecordingsMade(), 2);
}

TEST_F(TextSearchTest, ResetStartsOverAndHidesTheMatch) {
  Start(u"apple", false);
  ASSERT_TRUE(cursor.FindNextMatch(report.PreviewPages()));
  ASSERT_TRUE(cursor.FindNextMatch(report.PreviewPages()));
  cursor.Reset();
  EXPECT_FALSE(SearchState().matchFound);
  EXPECT_EQ(SearchState().matchRecord, -1);
  EXPECT_EQ(cursor.MatchPage(), 0);
  ASSERT_TRUE(cursor.FindNextMatch(report.PreviewPages()));
  EXPECT_EQ(cursor.MatchPage(), 0);
}

TEST(TextContainsTest, CaseRules) {
  struct Case {
    std::u16string text, search;
    bool caseSensitive, contained;
  } cases[] = {
      {u"Hello World", u"world", false, true},    {u"Hello World", u"world", true, false},
      {u"Hello World", u"o W", true, true},       {u"ÄRGER", u"ärger", false, true},
      {u"销售报表", u"销售", false, true},         {u"销售报表", u"销 售", false, false},
      {u"abc", u"", false, false},                {u"", u"", true, false},
      {u"ab", u"abc", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextContains(c.text, c.search, c.caseSensitive), c.contained)
        << std::string(c.text.begin(), c.text.end()) << " / " << c.caseSensitive;
  }
}

TEST(MatchGeometryTest, ScaledSidesRoundHalfToEven) {
  EXPECT_EQ(ScaledMatchRect({1, 3, 5, 7}, 0.5), (CanvasRect{0, 2, 2, 4}));
  EXPECT_EQ(ScaledMatchRect({10, 20, 30, 41}, 1.5), (CanvasRect{15, 30, 45, 62}));
}

TEST(MatchGeometryTest, ScrollsOnlyTheAxisWhereTheMatchIsHidden) {
  const CanvasRect page{100, 1000, 900, 2100};  // document coordinates
  const CanvasRect match{50, 200, 150, 215};    // report pixels
  struct Case {
    const char* name;
    double zoom;
    int offsetX, offsetY, width, height;
    MatchScroll want;
  } cases[] = {
      {"visible", 1, 0, 1000, 800, 600, {}},
      {"below the window", 1, 0, 0, 800, 600, {true, 1215 - 600 + 20, false, 0}},
      {"above the window", 1, 0, 1300, 800, 600, {true, 1215 - 600 + 20, false, 0}},
      {"bottom edge just inside", 1, 0, 615, 800, 600, {}},
      {"bottom edge just outside", 1, 0, 614, 800, 600, {true, 635, false, 0}},
      {"right of the window", 1, 0, 1000, 200, 600, {false, 0, true, 250 - 200 + 20}},
      {"left of the window", 1, 160, 1000, 800, 600, {false, 0, true, 250 - 800 + 20}},
      {"zoomed", 2, 0, 0, 800, 600, {true, 1430 - 600 + 20, false, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MatchScroll s = ScrollForMatch(page, match, c.zoom, c.offsetX, c.offsetY, c.width, c.height);
    EXPECT_EQ(s.vertical, c.want.vertical);
    EXPECT_EQ(s.horizontal, c.want.horizontal);
    if (c.want.vertical) {
      EXPECT_EQ(s.verticalPosition, c.want.verticalPosition);
    }
    if (c.want.horizontal) {
      EXPECT_EQ(s.horizontalPosition, c.want.horizontalPosition);
    }
  }
}

TEST(MatchHighlightTest, InvertsTheBoxOnePixelWiderAndRestoresWhenDrawnAgain) {
  QImage image(60, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  const QImage original = image;
  const CanvasRect page{10, 5, 50, 35};
  const CanvasRect match{10, 10, 20, 14};  // at zoom 1: x 20..30, y 15..19
  {
    QPainterCanvas canvas(image, 96, 96, CanvasKind::Screen);
    canvas.SetPen(CanvasPen::Solid(clRed, 3));
    DrawMatchHighlight(canvas, page, match, 1);
    EXPECT_EQ(canvas.Pen(), CanvasPen::Solid(clRed, 3));
    EXPECT_EQ(canvas.Mode(), RasterMode::Copy);
  }
  const auto inverted = [&](int x, int y) { return QColor(image.pixel(x, y)) == QColor(Qt::black); };
  struct Probe {
    int x, y;
    bool inverted;
  } probes[] = {{19, 15, true}, {30, 15, true}, {25, 19, true}, {18, 15, false},
                {31, 15, false}, {25, 14, false}, {25, 20, false}};
  for (const Probe& p : probes) EXPECT_EQ(inverted(p.x, p.y), p.inverted) << p.x << "," << p.y;
  {
    QPainterCanvas canvas(image, 96, 96, CanvasKind::Screen);
    DrawMatchHighlight(canvas, page, match, 1);
  }
  EXPECT_EQ(image, original);
}

}  // namespace
}  // namespace quarlo
