// The text layout engine: wrapping decided at 600 dpi, line placement with the spread
// rounding, alignment, rotation, markup runs and the device-independent line ends.
// Most cases use the fixed-advance font engine so every width is known exactly.
#include "objects/text_layout.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/errors.h"
#include "platform/font_engine.h"
#include "platform/recording_canvas.h"

namespace quarlo {
namespace {

using Lines = std::vector<std::u16string>;

struct Options {
  bool wordBreak = false;
  bool html = false;
  bool wysiwyg = true;
  int rotation = 0;
  double gap = 0;
  double lineSpacing = 2;
  double charSpacing = 0;
  int style = 0;
};

class TextLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = &GetFontEngine();
    SetFontEngine(&fixed_);
  }
  void TearDown() override { SetFontEngine(previous_); }

  // Lays `text` out in a box `width` x `height` report pixels at (0, 0).
  TfrxDrawText& Layout(const Lines& text, int width, const Options& o = {}, int height = 200, double scale = 1,
                       double printScale = 1, TextLayoutRect output = {0, 0, 0, 0}) {
    TextFont font;
    font.Style = o.style;
    engine_.SetFont(font);
    engine_.SetOptions(true, o.html, false, o.wordBreak, true, o.wysiwyg, o.rotation);
    engine_.SetGaps(o.gap, o.charSpacing, o.lineSpacing);
    if (output.Right == 0 && output.Bottom == 0)
      output = {0, 0, static_cast<int>(width * scale), static_cast<int>(height * scale)};
    engine_.SetDimensions(scale, scale, printScale, {0, 0, width, height}, output);
    engine_.SetText(text);
    return engine_;
  }

  static std::vector<const CanvasRecord*> Texts(const RecordingCanvas& c) { return c.RecordsOf(CanvasRecord::Op::Text); }
  static long long Sum(const std::vector<int>& v) {
    long long s = 0;
    for (int x : v) s += x;
    return s;
  }

  FixedFontEngine fixed_;
  FontEngine* previous_ = nullptr;
  TfrxDrawText engine_;
};

// With the fixed engine a 10-point font is 83 layout pixels: "a" is 41.5 wide, a space
// 20.75, a Chinese character 83; cumulative widths round half to even.
TEST_F(TextLayoutTest, WrapsAtSpacesCharactersAndHyphenationPoints) {
  struct Case {
    const char* name;
    Lines text;
    int width;
    Options options;
    Lines expected;
  };
  Options gap;
  gap.gap = 20;
  Options breakWords;
  breakWords.wordBreak = true;
  Options html;
  html.html = true;
  const Case cases[] = {
      {"a line that fits stays whole", {u"aaaa bbbb"}, 57, {}, {u"aaaa bbbb"}},
      {"one pixel less breaks at the space", {u"aaaa bbbb"}, 56, {}, {u"aaaa", u"bbbb"}},
      {"a word wider than the box breaks at the last character that fits", {u"aaaaaaaaaa"}, 20, {},
       {u"aaa", u"aaa", u"aaa", u"a"}},
      {"a character wider than the box stands alone", {u"中中"}, 5, {}, {u"中", u"中"}},
      {"Chinese wraps character by character", {u"中文字符测试"}, 30, {}, {u"中文", u"字符", u"测试"}},
      {"Chinese and Latin mixed", {u"合计 Total 金额"}, 40, {}, {u"合计", u"Total", u"金额"}},
      {"the overflowing space itself is the break", {u"aaaa bbbb c"}, 60, {}, {u"aaaa bbbb", u"c"}},
      {"paragraph gap makes the first line wrap earlier", {u"aaaa bbbb cccc"}, 60, gap, {u"aaaa", u"bbbb cccc"}},
      {"two breaks give an empty line of one space", {u"a", u"", u"b"}, 50, {}, {u"a", u" ", u"b"}},
      {"Cyrillic hyphenation with WordBreak", {u"проверка"}, 30, breakWords, {u"про-", u"вер-", u"ка"}},
      {"no hyphenation point: plain character break", {u"aaaaaa"}, 20, breakWords, {u"aaa", u"aaa"}},
      {"no-wrap spaces are no break candidates", {u"<nowrap>a b c</nowrap> d"}, 30, html, {u"a b c", u"d"}},
      {"markup is removed before wrapping; bold measures wider", {u"<b>aaaa</b> bbbb"}, 62, html, {u"aaaa bbbb"}},
      {"bold text of the same length needs more room", {u"<b>aaaa</b> bbbb"}, 59, html, {u"aaaa", u"bbbb"}},
  };
  for (const Case& k : cases) {
    TfrxDrawText& e = Layout(k.text, k.width, k.options);
    EXPECT_EQ(e.Lines(), k.expected) << k.name;
    EXPECT_EQ(e.Runs().Count(), static_cast<int>(e.Lines().size())) << k.name << ": one run list per line";
  }
}

TEST_F(TextLayoutTest, MarksParagraphStartsAndEnds) {
  TfrxDrawText& e = Layout({u"aaaa bbbb cccc", u"d"}, 30);
  ASSERT_EQ(e.Lines().size(), 4u);
  EXPECT_EQ(e.LineFlags(), (std::vector<int>{1, 0, 2, 3}));
  EXPECT_EQ(e.SourceText(), u"aaaa bbbb cccc\r\nd\r\n");
}

TEST_F(TextLayoutTest, HeightOfThreeLinesWithLineSpacingTwo) {
  TfrxDrawText& e = Layout({u"a", u"b", u"c"}, 100);
  EXPECT_EQ(e.LayoutFontHeight(), 83);
  EXPECT_NEAR(e.LineHeight(), 83 / 6.25 + 2, 1e-9);
  EXPECT_NEAR(e.CalcHeight(), 45.84, 1e-9);
  Options tight;
  tight.lineSpacing = -3;  // the last line keeps its full height
  EXPECT_NEAR(Layout({u"a", u"b"}, 100, tight).CalcHeight(), 2 * (83 / 6.25 - 3) + 3, 1e-9);
  EXPECT_EQ(Layout({}, 100).CalcHeight(), 0);
}

TEST_F(TextLayoutTest, LinesAdvanceSixteenThenFifteenPixelsOnScreen) {
  TfrxDrawText& e = Layout({u"a", u"b", u"c"}, 100);
  RecordingCanvas canvas({0, 0, 200, 200});
  e.DrawText(canvas, haLeft, vaTop);
  const auto texts = Texts(canvas);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0]->font.height, -13);
  EXPECT_EQ(texts[0]->points[0].y, 0);
  EXPECT_EQ(texts[1]->points[0].y, 16);
  EXPECT_EQ(texts[2]->points[0].y, 31);
}

TEST_F(TextLayoutTest, WidthOfTheWidestLineWithItsIndent) {
  Options gap;
  gap.gap = 10;
  TfrxDrawText& e = Layout({u"aaaa", u"aa"}, 100, gap);
  EXPECT_NEAR(e.CalcWidth(), (166 + 62) / 6.25, 1e-9);  // 4 x 41.5 plus the indent Round(62.5)
}

TEST_F(TextLayoutTest, AlignmentsPlaceTheLineInTheBox) {
  struct Case {
    TfrxHAlign align;
    int style;
    int left;      // expected start, or -1
    int rightEnd;  // expected start + advances, or -1
  };
  // "aa" is 83 layout pixels = 13.28 report pixels -> 13 device pixels in a 100 box.
  const Case cases[] = {
      {haLeft, 0, 0, 13},
      {haCenter, 0, 44, -1},           // (100 - 13) / 2 = 43.5 -> 44
      {haRight, 0, -1, 100},           // the right end lands on the box edge
      {haRight, kFontBold, -1, 99},    // one pixel further in for bold or italic
  };
  for (const Case& k : cases) {
    Options o;
    o.style = k.style;
    TfrxDrawText& e = Layout({u"aa"}, 100, o);
    RecordingCanvas canvas({0, 0, 200, 200});
    e.DrawText(canvas, k.align, vaTop);
    const auto texts = Texts(canvas);
    ASSERT_EQ(texts.size(), 1u);
    if (k.left >= 0) {
      EXPECT_EQ(texts[0]->points[0].x, k.left) << k.align;
    }
    if (k.rightEnd >= 0) {
      EXPECT_EQ(texts[0]->points[0].x + Sum(texts[0]->advances), k.rightEnd) << k.align;
    }
  }
}

TEST_F(TextLayoutTest, JustifiedLinesFillTheBoxExceptTheLastAndThoseWithoutSpaces) {
  TfrxDrawText& e = Layout({u"aaaa bbbb cccc", u"dddddddd"}, 60);
  ASSERT_EQ(e.Lines(), (Lines{u"aaaa bbbb", u"cccc", u"dddddddd"}));
  RecordingCanvas canvas({0, 0, 200, 200});
  e.DrawText(canvas, haBlock, vaTop);
  const auto texts = Texts(canvas);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(Sum(texts[0]->advances), 60);  // justified: exactly the box width
  // The extra room went to the space only.
  const int letter = texts[0]->advances[0];
  for (std::size_t i = 0; i < 9; ++i) {
    if (i != 4) {
      EXPECT_LE(std::abs(texts[0]->advances[i] - letter), 1) << i;
    }
  }
  EXPECT_GT(texts[0]->advances[4], letter);
  EXPECT_EQ(Sum(texts[1]->advances), 27);  // last line of its paragraph: natural width (166 / 6.25)
  EXPECT_EQ(texts[1]->points[0].x, 0);
  EXPECT_EQ(Sum(texts[2]->advances), 53);  // no spaces: left aligned at natural width (332 / 6.25)
}

TEST_F(TextLayoutTest, ParagraphGapIndentsOnlyTheFirstLine) {
  Options gap;
  gap.gap = 20;
  TfrxDrawText& e = Layout({u"aaaa bbbb cccc"}, 60, gap);
  RecordingCanvas canvas({0, 0, 200, 200});
  e.DrawText(canvas, haLeft, vaTop);
  const auto texts = Texts(canvas);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->points[0].x, 20);
  EXPECT_EQ(texts[1]->points[0].x, 0);
}

TEST_F(TextLayoutTest, WithoutWysiwygTheDeviceKeepsItsOwnAdvances) {
  Options o;
  o.wysiwyg = false;
  TfrxDrawText& e = Layout({u"aaaa", u"b"}, 100, o);
  RecordingCanvas canvas({0, 0, 200, 200});
  e.DrawText(canvas, haLeft, vaTop);
  const auto texts = Texts(canvas);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_TRUE(texts[0]->advances.empty());
  EXPECT_EQ(texts[1]->points[0].y, 15);  // no spread of the rounding difference
}

TEST_F(TextLayoutTest, VerticalAlignmentMovesTheBlock) {
  struct Case {
    TfrxVAlign align;
    int y;
  };
  // Two lines: block height Round(2 x 15.28) = 31 in a 100-pixel box.
  const Case cases[] = {{vaTop, 0}, {vaBottom, 69}, {vaCenter, 34}};
  for (const Case& k : cases) {
    TfrxDrawText& e = Layout({u"a", u"b"}, 100, {}, 100);
    RecordingCanvas canvas({0, 0, 200, 200});
    e.DrawText(canvas, haLeft, k.align);
    EXPECT_EQ(Texts(canvas)[0]->points[0].y, k.y) << k.align;
  }
}

TEST_F(TextLayoutTest, RotationNinetyStartsAtTheBottomAndReadsUpwards) {
  Options o;
  o.rotation = 90;
  TfrxDrawText& e = Layout({u"aaaa", u"bb"}, 40, o, 80);
  RecordingCanvas canvas({0, 0, 200, 200});
  e.DrawText(canvas, haLeft, vaTop);
  const auto texts = Texts(canvas);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->font.escapement, 900);
  EXPECT_EQ(texts[0]->points[0], (CanvasPoint{0, 80}));   // left edge, bottom
  EXPECT_EQ(texts[1]->points[0], (CanvasPoint{16, 80}));  // next line to the right
  // Wrapping used the height of the box: "aaaa" (166 layout pixels) fits in 80.
  EXPECT_EQ(e.Lines(), (Lines{u"aaaa", u"bb"}));
  Options neg;
  neg.rotation = -90;
  EXPECT_EQ(Layout({u"x"}, 40, neg).Lines().size(), 1u);
}

TEST_F(TextLayoutTest, MarkupRunsDrawWithTheirOwnFontAndBaseline) {
  Options html;
  html.html = true;
  TfrxDrawText& e = Layout({u"a<b>b</b>c H<sub>2</sub>O"}, 200, html);
  RecordingCanvas canvas({0, 0, 400, 200});
  e.DrawText(canvas, haLeft, vaTop);
  const auto texts = Texts(canvas);
  ASSERT_EQ(texts.size(), 5u);  // a | b | "c H" | 2 | O: a run starts at every style change
  EXPECT_EQ(texts[0]->text, u"a");
  EXPECT_EQ(texts[1]->text, u"b");
  EXPECT_EQ(texts[1]->font.style, kFontBold);
  EXPECT_EQ(texts[2]->text, u"c H");
  EXPECT_EQ(texts[2]->font.style, 0);
  EXPECT_EQ(texts[3]->text, u"2");
  EXPECT_EQ(texts[3]->font.height, -9);  // Round(10 / 1.5) = 7 points at 96 dpi
  EXPECT_EQ(texts[3]->points[0].y, 7);   // shifted down by the run size
  for (std::size_t i = 1; i < texts.size(); ++i)
    EXPECT_EQ(texts[i]->points[0].x, texts[i - 1]->points[0].x + Sum(texts[i - 1]->advances)) << i;
}

TEST_F(TextLayoutTest, PrinterSizesTheFontFromItsResolution) {
  TfrxDrawText& e = Layout({u"a", u"b", u"c"}, 100, {}, 200, 600 / 96.0);
  RecordingCanvas printer({0, 0, 5000, 5000}, 600, 600, CanvasKind::Printer);
  e.DrawText(printer, haLeft, vaTop);
  const auto texts = Texts(printer);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0]->font.height, -83);
  // Block height Round(3 x (12.5 + 83)) = 286 over advances of Round(12.5) + 83 = 95:
  // the spare pixel goes to the first advance.
  EXPECT_EQ(texts[1]->points[0].y - texts[0]->points[0].y, 96);
  EXPECT_EQ(texts[2]->points[0].y - texts[1]->points[0].y, 95);
}

TEST_F(TextLayoutTest, InvalidMarkupColourFailsTheText) {
  Options html;
  html.html = true;
  EXPECT_THROW(Layout({u"<font color=\"#XYZ\">a"}, 100, html), EConvertError);
}

TEST_F(TextLayoutTest, OverflowTextIsCutAtTheFirstLineThatDoesNotFit) {
  Options html;
  html.html = true;
  // Line height 15.28: a 31-pixel box keeps two lines.
  TfrxDrawText& e = Layout({u"aaaa <b>bbbb cccc", u"dddd"}, 30, html, 31);
  ASSERT_EQ(e.Lines(), (Lines{u"aaaa", u"bbbb", u"cccc", u"dddd"}));
  EXPECT_NEAR(e.LeftoverHeight(), 32 - 2 * e.LineHeight(), 1e-9);
  bool inside = false;
  const std::u16string rest = e.TakeOverflowText(&inside);
  EXPECT_TRUE(inside);
  EXPECT_EQ(rest, u"<b><font color=\"#000000\">cccc\r\ndddd\r\n");
  EXPECT_EQ(e.KeptText(), u"aaaa <b>bbbb ");
  EXPECT_EQ(e.Lines().size(), 2u);
}

TEST_F(TextLayoutTest, AbsurdSettingsAndLongTextsNeitherCrashNorHang) {
  TextFont font;
  font.Size = 1e9;
  engine_.SetFont(font);
  engine_.SetOptions(true, true, true, true, true, true, -2147483647 - 1);
  engine_.SetGaps(1e300, -1e300, std::nan(""));
  engine_.SetDimensions(1e12, -1e12, 0, {0, 0, 2000000000, -5}, {-2000000000, 0, 2000000000, 10});
  engine_.SetText(Lines{u"<font color=\"#12\">x <sub>y", u"", std::u16string(70000, u'中')});
  RecordingCanvas canvas;
  engine_.DrawText(canvas, haBlock, vaCenter);
  EXPECT_FALSE(engine_.Lines().empty());
  // A long paragraph in a narrow box wraps to one character per line, linearly.
  TfrxDrawText& e = Layout({std::u16string(50000, u'a')}, 1);
  EXPECT_EQ(e.Lines().size(), 50000u);
}

TEST(SpreadIncrements, SpreadsEvenlyInsteadOfPilingUp) {
  struct Case {
    int size, lo, hi, n;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {2, 0, 1, 1, {1, 0}},
      {4, 0, 3, 1, {0, 1, 0, 0}},
      {4, 0, 3, 2, {1, 0, 1, 0}},
      {4, 0, 3, 4, {1, 1, 1, 1}},
      {4, 0, 3, -2, {-1, 0, -1, 0}},
      {5, 0, 4, 3, {1, 0, 1, 1, 0}},
      {3, 0, 2, 7, {3, 2, 2}},
      {3, 0, 2, 0, {0, 0, 0}},
      {3, 2, 1, 5, {0, 0, 0}},  // empty range
  };
  for (const Case& k : cases) {
    std::vector<int> v(static_cast<std::size_t>(k.size), 0);
    SpreadIncrements(v, k.lo, k.hi, k.n);
    EXPECT_EQ(v, k.expected) << k.size << " " << k.n;
  }
}

TEST(TextLayoutLock, OneLockForEveryEngine) {
  TfrxDrawText a, b;
  a.Lock();
  std::atomic<bool> entered{false};
  std::thread other([&] {
    TextLayoutLock lock(b);
    entered = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(entered.load());
  a.Unlock();
  other.join();
  EXPECT_TRUE(entered.load());
}

}  // namespace
}  // namespace quarlo
