// Text through the Qt font engine and the QPainter canvas: the faces reports name
// resolve through the shipped aliases, characters a face lacks are measured and drawn
// by one fixed fallback, and drawing puts every glyph at the advance it was given.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <vector>

#include "platform/font_engine.h"
#include "platform/qt/qpainter_canvas.h"

namespace quarlo {
namespace {

TEST(QtFontEngine, ReportFacesResolveToTheInstalledFaces) {
  struct Case {
    const char* family;
    char32_t ch;
    const char* face;
  };
  const Case cases[] = {
      {"Arial", U'A', "Liberation Sans"},     {"Times New Roman", U'A', "Liberation Serif"},
      {"Courier New", U'A', "Liberation Mono"}, {"Tahoma", U'A', "Tahoma"},
      {"宋体", U'中', "AR PL UMing CN"},        {"SimSun", U'中', "AR PL UMing CN"},
      {"黑体", U'中', "WenQuanYi Zen Hei"},     {"楷体", U'中', "AR PL UKai CN"},
      {"微软雅黑", U'中', "WenQuanYi Micro Hei"},
      // Font linking: Chinese in a Latin face comes from the first fallback that has it.
      {"Arial", U'中', "AR PL UMing CN"},       {"Tahoma", U'页', "AR PL UMing CN"},
  };
  FontEngine& e = GetFontEngine();
  for (const Case& k : cases) {
    EXPECT_EQ(e.FaceFor({k.family, 0}, k.ch), k.face) << k.family;
    EXPECT_EQ(e.FaceFor({k.family, 0}, k.ch), e.FaceFor({k.family, 0}, k.ch)) << "stable choice";
  }
}

TEST(QtFontEngine, AdvancesAreUnhintedAndScaleLinearly) {
  FontEngine& e = GetFontEngine();
  const std::u16string text = u"Wide 中文";
  std::vector<double> small(text.size()), large(text.size());
  e.Advances({"Arial", 0}, 13, text, small);
  e.Advances({"Arial", 0}, 83, text, large);
  for (std::size_t i = 0; i < text.size(); ++i) EXPECT_NEAR(large[i], small[i] * 83 / 13, 1e-9) << i;
  EXPECT_NEAR(large[5], 83, 0.5);  // Chinese is full width in the linked face
  EXPECT_GT(large[0], large[1]);   // W wider than i: proportional design advances
  const std::u16string r = u"r";
  double regular = 0, bold = 0;
  e.Advances({"Arial", 0}, 83, r, std::span<double>(&regular, 1));
  e.Advances({"Arial", kFontBold}, 83, r, std::span<double>(&bold, 1));
  EXPECT_GT(bold, regular);  // the bold design, not the regular one
}

// Leftmost inked column in [x0, x1) of rows 0..h.
int FirstInk(const QImage& img, int x0, int x1) {
  for (int x = x0; x < x1; ++x)
    for (int y = 0; y < img.height(); ++y)
      if (qGray(img.pixel(x, y)) < 128) return x;
  return -1;
}

TEST(QPainterCanvasText, GlyphsLandAtTheGivenAdvances) {
  auto draw = [](std::vector<int> adv) {
    QImage img(120, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainterCanvas c(img);
    CanvasFont f;
    f.height = -20;
    c.SetFont(f);
    c.TextOut(10, 5, u"II", adv);
    return img;
  };
  const QImage a = draw({16, 15}), b = draw({31, 15});
  const int firstA = FirstInk(a, 0, 120), firstB = FirstInk(b, 0, 120);
  ASSERT_GE(firstA, 10);
  EXPECT_EQ(firstA, firstB);
  const int secondA = FirstInk(a, firstA + 6, 120), secondB = FirstInk(b, firstB + 6, 120);
  EXPECT_EQ(secondA - firstA, 16);
  EXPECT_EQ(secondB - firstB, 31);
}

// A 13-pixel Arial line (10 points at 100 %) on a canvas of `kind`, each glyph in a cell
// of 16 pixels when `cells` is set.
QImage ThirteenPixelLine(CanvasKind kind, bool cells) {
  const std::u16string text = u"Hamburgefonstiv 0123456789";
  QImage img(cells ? 16 * static_cast<int>(text.size()) + 8 : 260, 24, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainterCanvas c(img, 96, 96, kind);
  CanvasFont f;
  f.height = -13;
  c.SetFont(f);
  c.TextOut(4, 4, text, cells ? std::vector<int>(text.size(), 16) : std::vector<int>{});
  return img;
}

// Of the pixels with ink, the share that is fully dark.
double FullyDarkShare(const QImage& img) {
  int ink = 0, dark = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const int g = qGray(img.pixel(x, y));
      ink += g < 250;
      dark += g < 16;
    }
  return ink ? static_cast<double>(dark) / ink : 0;
}

// Ink extent (left, right, top, bottom) of columns [x0, x1).
std::vector<int> InkBox(const QImage& img, int x0, int x1) {
  std::vector<int> box{x1, x0 - 1, img.height(), -1};
  for (int y = 0; y < img.height(); ++y)
    for (int x = x0; x < x1; ++x)
      if (qGray(img.pixel(x, y)) < 128) box = {std::min(box[0], x), std::max(box[1], x), std::min(box[2], y), std::max(box[3], y)};
  return box;
}

// Screen text is drawn with the desktop's hinting: crisper (more of its ink fully dark)
// than the unhinted outlines images and paper keep, with every glyph where the layout
// put it.
TEST(QPainterCanvasText, ScreenGlyphsAreHintedAtTheirLaidOutPositions) {
  const double screen = FullyDarkShare(ThirteenPixelLine(CanvasKind::Screen, false));
  const double unhinted = FullyDarkShare(ThirteenPixelLine(CanvasKind::Image, false));
  EXPECT_GT(screen, unhinted * 1.1) << "screen " << screen << ", unhinted " << unhinted;
  const QImage a = ThirteenPixelLine(CanvasKind::Screen, true), b = ThirteenPixelLine(CanvasKind::Image, true);
  for (int cell = 0; cell < 26; ++cell) {
    if (cell == 15) continue;  // the space
    const std::vector<int> hinted = InkBox(a, 4 + 16 * cell, 20 + 16 * cell), plain = InkBox(b, 4 + 16 * cell, 20 + 16 * cell);
    for (std::size_t k = 0; k < 4; ++k) EXPECT_NEAR(hinted[k], plain[k], 1) << "glyph " << cell << ", edge " << k;
  }
}

TEST(QPainterCanvasText, RotatedTextReadsUpwardsFromItsStartPoint) {
  QImage img(60, 120, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainterCanvas c(img);
    CanvasFont f;
    f.height = -20;
    f.escapement = 900;
    c.SetFont(f);
    c.TextOut(10, 110, u"HHHH");
  }
  int top = -1, bottom = -1, left = 1000;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (qGray(img.pixel(x, y)) < 128) {
        if (top < 0) top = y;
        bottom = y;
        left = std::min(left, x);
      }
  ASSERT_GE(top, 0);
  EXPECT_LE(bottom, 110);      // nothing below the start point
  EXPECT_LT(top, 110 - 40);    // the text runs up
  EXPECT_GE(left, 10);         // the cell lies to the right of the start point
}

TEST(QPainterCanvasText, LinkedCharactersDrawWithTheFaceThatMeasuredThem) {
  auto draw = [](const char* family) {
    QImage img(80, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainterCanvas c(img);
    CanvasFont f;
    f.name = family;
    f.height = -24;
    c.SetFont(f);
    c.TextOut(4, 4, u"中文");
    return img;
  };
  // The ink, cut to its bounding box (the baseline follows the named face's ascent).
  auto ink = [](const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (qGray(img.pixel(x, y)) < 250) box |= QRect(x, y, 1, 1);
    return img.copy(box);
  };
  // Chinese in "Arial" comes from the Song face, glyph for glyph as in the Song face.
  const QImage latin = ink(draw("Arial")), song = ink(draw("宋体"));
  ASSERT_FALSE(latin.isNull());
  EXPECT_EQ(latin, song);
  EXPECT_GE(latin.width(), 40);  // two full-width characters, not missing-glyph boxes
}

TEST(QPainterCanvasText, ClippedTextStaysInsideItsRectangle) {
  for (const bool clipped : {true, false}) {
    QImage img(120, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
      QPainterCanvas c(img);
      CanvasFont f;
      f.height = -20;
      c.SetFont(f);
      const CanvasRect clip{0, 0, 30, 40};
      c.TextOut(5, 5, u"HHHHHH", {}, &clip, clipped ? static_cast<unsigned>(kTextClipped) : 0u);
    }
    EXPECT_EQ(FirstInk(img, 30, 120) < 0, clipped) << clipped;
    EXPECT_GE(FirstInk(img, 0, 30), 5);
  }
}

TEST(QPainterCanvasText, MeasureTextMatchesTheEngineInWholePixels) {
  QImage img(10, 10, QImage::Format_RGB32);
  QPainterCanvas c(img);
  CanvasFont f;
  f.height = -13;
  c.SetFont(f);
  const std::u16string text = u"第12页 Page";
  std::vector<int> ext(text.size());
  const int total = c.MeasureText(text, ext);
  EXPECT_EQ(total, ext.back());
  std::vector<double> adv(text.size());
  GetFontEngine().Advances({"Arial", 0}, 13, text, adv);
  int sum = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    sum += static_cast<int>(std::lrint(adv[i]));
    EXPECT_EQ(ext[i], sum) << i;
  }
}

}  // namespace
}  // namespace quarlo
