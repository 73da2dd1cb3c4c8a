// Text objects drawn through the layout engine: the text rectangle inside frame and
// gaps, view-time tokens, the highlight for one draw, automatic width, the system
// text's fixed settings and errors of the markup.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.h"
#include "objects/memo_tokens.h"
#include "objects/memo_view.h"
#include "platform/font_engine.h"
#include "platform/recording_canvas.h"

namespace quarlo {
namespace {

class MemoDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = &GetFontEngine();
    SetFontEngine(&fixed_);
  }
  void TearDown() override { SetFontEngine(previous_); }

  static std::u16string DrawnText(const RecordingCanvas& c) {
    std::u16string s;
    for (const CanvasRecord* r : c.RecordsOf(CanvasRecord::Op::Text)) s += r->text;
    return s;
  }

  FixedFontEngine fixed_;
  FontEngine* previous_ = nullptr;
};

TEST_F(MemoDraw, TextRectangleSitsInsideFrameAndGaps) {
  struct Case {
    int typ;
    double frameWidth;
    double scale;
    TextLayoutRect expected;
  };
  const Case cases[] = {
      {ftAll, 1, 1, {2, 1, 99, 20}},
      {0, 1, 1, {2, 1, 99, 20}},
      {ftAll, 3, 1, {3, 2, 97, 18}},
      {ftLeft | ftTop, 3, 1, {3, 2, 99, 20}},
      {ftAll, 1, 2, {4, 2, 196, 38}},  // half a pixel rounds to even,
  };
  for (const Case& c : cases) {
    TfrxMemoView memo(nullptr);
    memo.SetBounds(0, 0, 100, 20);
    memo.Frame().SetTyp(c.typ);
    memo.Frame().SetWidth(c.frameWidth);
    RecordingCanvas canvas;
    memo.PrepareDraw(canvas, c.scale, c.scale, 0, 0);
    const TextLayoutRect& r = memo.TextRect();
    EXPECT_EQ((std::vector<int>{r.Left, r.Top, r.Right, r.Bottom}),
              (std::vector<int>{c.expected.Left, c.expected.Top, c.expected.Right, c.expected.Bottom}))
        << "typ " << c.typ << " width " << c.frameWidth << " scale " << c.scale;
  }
}

TEST_F(MemoDraw, TokensAreReplacedOnceIgnoringCase) {
  struct Case {
    std::u16string text;
    bool allowExpressions;
    std::u16string drawn;
    std::u16string drawnAgain;
  };
  const Case cases[] = {
      {u"第[TOTALPAGES#]页", true, u"第12页", u"第12页"},
      {u"[totalpages#]/[TOTALPAGES#]", true, u"12/[TOTALPAGES#]", u"12/12"},
      {u"A[CopyName#]B", true, u"AB", u"AB"},
      {u"第[TOTALPAGES#]页", false, u"第[TOTALPAGES#]页", u"第[TOTALPAGES#]页"},
  };
  for (const Case& c : cases) {
    TfrxMemoView memo(nullptr);
    memo.SetBounds(0, 0, 300, 40);
    memo.SetAllowExpressions(c.allowExpressions);
    memo.Memo().Add(c.text);
    memo.SetTotalPages(12);
    memo.SetCopyNo(1);
    // The replacement changes the text itself, so a second draw finds the first
    // token gone and replaces the next one, if any.
    for (int pass = 0; pass < 2; ++pass) {
      RecordingCanvas canvas;
      memo.Draw(canvas, 1, 1, 0, 0);
      EXPECT_EQ(DrawnText(canvas), pass == 0 ? c.drawn : c.drawnAgain) << "pass " << pass;
    }
  }
}

TEST_F(MemoDraw, HighlightColourAndFontLastOneDraw) {
  TfrxMemoView memo(nullptr);
  memo.SetBounds(0, 0, 100, 20);
  memo.Memo().Add(u"x");
  memo.SetColor(clWhite);
  memo.Highlight().SetActive(true);
  memo.Highlight().SetColor(clRed);
  memo.Highlight().Font().SetStyle(1);
  RecordingCanvas canvas;
  memo.Draw(canvas, 1, 1, 0, 0);
  const auto fills = canvas.RecordsOf(CanvasRecord::Op::FillRect);
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills.front()->brush.color, clRed);
  const auto texts = canvas.RecordsOf(CanvasRecord::Op::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->font.style & 1, 1);
  EXPECT_EQ(memo.Color(), clWhite);
}

TEST_F(MemoDraw, BadMarkupColourRaisesAndRestoresTheColour) {
  TfrxMemoView memo(nullptr);
  memo.SetBounds(0, 0, 100, 20);
  memo.SetAllowHTMLTags(true);
  memo.Memo().Add(u"<font color=\"#zz\">x</font>");
  memo.SetColor(clWhite);
  memo.Highlight().SetActive(true);
  memo.Highlight().SetColor(clRed);
  RecordingCanvas canvas;
  EXPECT_THROW(memo.Draw(canvas, 1, 1, 0, 0), EConvertError);
  EXPECT_EQ(memo.Color(), clWhite);
  // The lock was left: another text can be laid out at once.
  TfrxMemoView other(nullptr);
  other.Memo().Add(u"y");
  EXPECT_GT(other.CalcWidth(), 0);
}

TEST_F(MemoDraw, AutoWidthKeepsTheAnchoredEdge) {
  struct Case {
    TfrxHAlign align;
    double anchor;  // 0 left edge, 1 right edge, 0.5 centre
  };
  for (const Case c : {Case{haLeft, 0}, Case{haRight, 1}, Case{haCenter, 0.5}}) {
    TfrxMemoView memo(nullptr);
    memo.SetBounds(100, 0, 200, 20);
    memo.SetAutoWidth(true);
    memo.SetHAlign(c.align);
    memo.Memo().Add(u"ab");
    const double before = memo.Left() + c.anchor * memo.Width();
    const double expectedWidth = memo.CalcWidth();
    RecordingCanvas canvas;
    memo.Draw(canvas, 1, 1, 0, 0);
    EXPECT_NEAR(memo.Width(), expectedWidth, 0.5) << c.align;
    EXPECT_LT(memo.Width(), 200) << c.align;
    EXPECT_DOUBLE_EQ(memo.Left() + c.anchor * memo.Width(), before) << c.align;
  }
}

TEST_F(MemoDraw, HeightIsTheTextPlusTheVerticalInsets) {
  TfrxMemoView memo(nullptr);
  memo.SetBounds(0, 0, 100, 20);
  memo.Memo().Add(u"a");
  memo.Memo().Add(u"b");
  memo.Memo().Add(u"c");
  // Three lines of a 10-point font with spacing 2: 3 x (83 / 6.25 + 2) = 45.84.
  EXPECT_EQ(memo.CalcHeight(), 48);  // + 2 x GapY
  memo.Frame().SetTyp(ftAll);
  memo.Frame().SetWidth(3);
  EXPECT_EQ(memo.CalcHeight(), 50);  // 45.84 + 2 + (3 - 1) / 2 + 3 / 2
}

TEST_F(MemoDraw, SystemTextKeepsStandardSpacingAndDeviceIndependence) {
  TfrxSysMemoView sys(nullptr);
  TfrxMemoView plain(nullptr);
  for (TfrxCustomMemoView* m : {static_cast<TfrxCustomMemoView*>(&sys), static_cast<TfrxCustomMemoView*>(&plain)}) {
    m->SetBounds(0, 0, 100, 100);
    m->Memo().Add(u"a");
    m->Memo().Add(u"b");
    m->SetLineSpacing(20);
  }
  EXPECT_EQ(sys.CalcHeight(), 33);  // 2 x 15.28 + 2, as if the spacing were 2
  EXPECT_GT(plain.CalcHeight(), 60);
}

TEST_F(MemoDraw, UnderlinesRuleTheWholeHeight) {
  TfrxMemoView memo(nullptr);
  memo.SetBounds(0, 0, 100, 80);
  memo.SetUnderlines(true);
  memo.Memo().Add(u"one line");
  RecordingCanvas canvas;
  memo.Draw(canvas, 1, 1, 0, 0);
  std::vector<int> ys;
  for (const CanvasRecord* r : canvas.RecordsOf(CanvasRecord::Op::Line)) ys.push_back(r->points[0].y);
  // Steps of 83 / 6.25 + 2 = 15.28 from 0 + (1 - 2 + 1) + 15.28 while below 80.
  EXPECT_EQ(ys, (std::vector<int>{15, 31, 46, 61, 76}));
}

TEST_F(MemoDraw, NegativeRotationDrawsAsItsPositiveAngle) {
  TfrxMemoView memo(nullptr);
  memo.SetBounds(0, 0, 100, 100);
  memo.SetRotation(-90);
  memo.Memo().Add(u"a");
  RecordingCanvas canvas;
  memo.Draw(canvas, 1, 1, 0, 0);
  EXPECT_EQ(memo.Rotation(), -90);
  const auto texts = canvas.RecordsOf(CanvasRecord::Op::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->font.escapement, 2700);
}

TEST_F(MemoDraw, ParagraphBreakFlagsContinueTheParagraph) {
  struct Case {
    bool firstBreak, lastBreak;
    int firstX;         // indented by the paragraph gap unless it continues one
    bool fillsTheWidth; // a last line is justified only when the paragraph goes on
  };
  const Case cases[] = {
      {false, false, 12, false},
      {true, false, 2, false},
      {false, true, 12, true},
      {true, true, 2, true},
  };
  for (const Case& c : cases) {
    TfrxMemoView memo(nullptr);
    memo.SetBounds(0, 0, 200, 40);
    memo.SetHAlign(haBlock);
    memo.SetParagraphGap(10);
    memo.SetFirstParaBreak(c.firstBreak);
    memo.SetLastParaBreak(c.lastBreak);
    memo.Memo().Add(u"a b");
    RecordingCanvas canvas;
    memo.Draw(canvas, 1, 1, 0, 0);
    const auto texts = canvas.RecordsOf(CanvasRecord::Op::Text);
    ASSERT_EQ(texts.size(), 1u);
    const CanvasRecord& t = *texts[0];
    EXPECT_EQ(t.points[0].x, c.firstX) << c.firstBreak << c.lastBreak;
    int right = t.points[0].x;
    for (std::size_t i = 0; i + 1 < t.advances.size(); ++i) right += t.advances[i];
    EXPECT_EQ(right > 150, c.fillsTheWidth) << c.firstBreak << c.lastBreak << " last glyph at " << right;
  }
}

TEST_F(MemoDraw, SameLinesAtEveryZoomAndOnPrinters) {
  struct Device {
    double scale;
    int dpi;
    CanvasKind kind;
  };
  const Device devices[] = {{1, 96, CanvasKind::Recording},
                            {1.5, 96, CanvasKind::Recording},
                            {4, 96, CanvasKind::Recording},
                            {600.0 / 96, 600, CanvasKind::Printer}};
  std::vector<std::u16string> reference;
  for (const Device& d : devices) {
    TfrxMemoView memo(nullptr);
    memo.SetBounds(0, 0, 120, 200);
    memo.Memo().Add(u"中文没有空格的时候按字符换行 and Latin words wrap at spaces");
    memo.SetPrinting(d.kind == CanvasKind::Printer);
    RecordingCanvas canvas({0, 0, 1 << 20, 1 << 20}, d.dpi, d.dpi, d.kind);
    memo.Draw(canvas, d.scale, d.scale, 0, 0);
    std::vector<std::u16string> lines;
    for (const CanvasRecord* r : canvas.RecordsOf(CanvasRecord::Op::Text)) lines.push_back(r->text);
    EXPECT_GT(lines.size(), 2u);
    if (reference.empty()) reference = lines;
    EXPECT_EQ(lines, reference) << "scale " << d.scale;
  }
}

// Turned by an oblique angle, top-aligned text stays inside its box: the lines are kept
// as long as the box lets them be both across and down, and wrapped to that length.
TEST_F(MemoDraw, ObliqueTextStaysInsideItsBox) {
  struct Case {
    int rotation;
    double width, height;
  };
  const Case cases[] = {{45, 150, 90}, {30, 150, 90}, {60, 150, 90}, {10, 300, 60},  {135, 150, 90},
                        {225, 150, 90}, {315, 150, 90}, {300, 90, 150}, {350, 300, 60}, {80, 80, 300}};
  const std::u16string text = u"Rotated text keeps inside its box";
  for (const Case& c : cases) {
    TfrxMemoView memo(nullptr);
    memo.SetBounds(10, 10, c.width, c.height);
    memo.SetRotation(c.rotation);
    memo.SetClipped(false);
    memo.Memo().SetText(text);
    RecordingCanvas canvas;
    memo.Draw(canvas, 1, 1, 0, 0);
    CanvasRect all;
    std::u16string drawn;
    for (const CanvasRecord* r : canvas.RecordsOf(CanvasRecord::Op::Text)) {
      all = all.United(r->bounds);
      drawn += r->text;
    }
    SCOPED_TRACE(::testing::Message() << c.rotation << " in " << c.width << " x " << c.height);
    for (const char16_t* word : {u"Rotated", u"keeps", u"box"}) EXPECT_NE(drawn.find(word), std::u16string::npos);
    EXPECT_GE(all.left, 10 - 1);
    EXPECT_GE(all.top, 10 - 1);
    EXPECT_LE(all.right, 10 + c.width + 1);
    EXPECT_LE(all.bottom, 10 + c.height + 1);
  }
}

// Where the rotated lines already fit, they keep the placement of the rotation table:
// at 45 degrees in a tall 100 x 200 box the line is Round((97 - 15 sin 45) / cos 45) =
// 122 pixels long and starts at the text rectangle's left edge, Round(122 sin 45) = 86
// pixels below its top (text rectangle 12, 11, 109, 210; block height 15).
TEST_F(MemoDraw, ObliqueTextThatFitsKeepsTheTablePlacement) {
  TfrxMemoView memo(nullptr);
  memo.SetBounds(10, 10, 100, 200);
  memo.SetRotation(45);
  memo.Memo().SetText(u"Short");
  RecordingCanvas canvas;
  memo.Draw(canvas, 1, 1, 0, 0);
  const auto texts = canvas.RecordsOf(CanvasRecord::Op::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->points[0], (CanvasPoint{12, 97}));
}

}  // namespace
}  // namespace quarlo
