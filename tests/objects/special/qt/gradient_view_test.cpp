// The gradient object painted into real images: band geometry of each style, colours
// taken byte by byte, the degenerate sizes, frame and shadow, and no background fill.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <set>
#include <string>

#include "objects/serializer.h"
#include "objects/class_registry.h"
#include "objects/special/gradient_view.h"
#include "objects/special/special_classes.h"
#include "objects/standard_classes.h"
#include "platform/qt/qpainter_canvas.h"

namespace quarlo {
namespace {

constexpr TColor kPaper = 0xFF00FF;  // magenta: whatever the object leaves untouched
constexpr TColor kGrey = 0x808080;

TColor PixelAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return static_cast<TColor>(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16));
}

// Draws the view at scale 1 with its top-left at (2, 3) of a magenta image.
QImage Render(TfrxGradientView& view, int width, int height) {
  view.SetBounds(2, 3, width, height);
  QImage image(width + 8, height + 10, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainterCanvas canvas(image);
  view.Draw(canvas, 1, 1, 0, 0);
  return image;
}

TEST(GradientMulDiv, RoundsHalvesAwayFromZeroAndGivesMinusOneForZeroDivisor) {
  struct Case {
    int a, b, c, expected;
  } cases[] = {{1, 1, 2, 1},    {3, 1, 2, 2},     {-1, 1, 2, -1},  {1, -3, 2, -2}, {5, 100, 256, 2},
               {255, 100, 256, 100}, {254, 100, 256, 99}, {7, 3, 0, -1}, {0, 0, 0, -1}, {1, 1, -2, -1},
               {0x40000000, 4, 1, -1}};
  for (const Case& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

class GradientView : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterStandardClasses(nullptr);
    RegisterSpecialClasses();
  }
};

TEST_F(GradientView, PublishesColoursAndStyleButNoFill) {
  TfrxGradientView view(nullptr);
  TfrxXMLSerializer s;
  const std::string attrs = s.WriteProperties(view);
  EXPECT_NE(attrs.find(" Style=\"gsHorizontal\""), std::string::npos) << attrs;
  for (const char* omitted : {"BeginColor", "EndColor", "Color=", "BrushStyle"}) {
    EXPECT_EQ(attrs.find(omitted), std::string::npos) << omitted << " in" << attrs;
  }
  std::unique_ptr<TfrxComponent> back(
      s.ReadObjectLine(nullptr, "TfrxGradientView Style=\"gsVertCenter\" BeginColor=\"255\" EndColor=\"0\""));
  auto* g = As<TfrxGradientView>(back.get());
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->Style(), gsVertCenter);
  EXPECT_EQ(g->BeginColor(), clRed);
  EXPECT_EQ(g->EndColor(), clBlack);
}

TEST_F(GradientView, DefaultRunsFromWhiteOnTheLeftToExactlyGreyOnTheRight) {
  TfrxGradientView view(nullptr);
  const QImage image = Render(view, 256, 20);
  EXPECT_EQ(PixelAt(image, 2, 10), clWhite);
  EXPECT_EQ(PixelAt(image, 2 + 255, 10), kGrey) << "band 255";
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(PixelAt(image, 2 + i, 3), GradientStepColor(clWhite, kGrey, i, 255)) << i;
    EXPECT_EQ(PixelAt(image, 2 + i, 22), PixelAt(image, 2 + i, 3)) << i;
  }
  EXPECT_EQ(PixelAt(image, 1, 10), kPaper);
  EXPECT_EQ(PixelAt(image, 258, 10), kPaper);
  EXPECT_EQ(PixelAt(image, 100, 2), kPaper);
  EXPECT_EQ(PixelAt(image, 100, 23), kPaper);
}

TEST_F(GradientView, EqualColoursFillUniformlyInEveryStyle) {
  for (int style = gsHorizontal; style <= gsHorizCenter; ++style) {
    TfrxGradientView view(nullptr);
    view.SetStyle(static_cast<TfrxGradientStyle>(style));
    view.SetBeginColor(0x3366CC);
    view.SetEndColor(0x3366CC);
    const QImage image = Render(view, 61, 37);
    std::set<TColor> seen;
    for (int y = 0; y < 37; ++y) {
      for (int x = 0; x < 61; ++x) seen.insert(PixelAt(image, 2 + x, 3 + y));
    }
    EXPECT_EQ(seen, std::set<TColor>{0x3366CC}) << GradientStyleNames().Name(style);
  }
}

TEST_F(GradientView, NarrowRectangleLeavesEmptyBandsButStillRunsFromBeginToEnd) {
  TfrxGradientView view(nullptr);
  view.SetBeginColor(clBlack);
  view.SetEndColor(clWhite);
  const int width = 100;
  const QImage image = Render(view, width, 5);
  int emptyBands = 0;
  for (int i = 0; i <= 255; ++i) {
    const int from = MulDiv(i, width, 256), to = MulDiv(i + 1, width, 256);
    if (from == to) ++emptyBands;
    for (int x = from; x < to; ++x) EXPECT_EQ(PixelAt(image, 2 + x, 5), GradientStepColor(clBlack, clWhite, i, 255));
  }
  EXPECT_EQ(emptyBands, 256 - width);
  std::set<TColor> seen;
  for (int x = 0; x < width; ++x) {
    seen.insert(PixelAt(image, 2 + x, 5));
    if (x > 0) {
      EXPECT_GE(PixelAt(image, 2 + x, 5) & 0xFF, PixelAt(image, 1 + x, 5) & 0xFF) << x;
    }
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(width));
  EXPECT_LT(PixelAt(image, 2, 5) & 0xFF, 3);
  EXPECT_GT(PixelAt(image, 2 + width - 1, 5) & 0xFF, 252);
}

// One row is the edge and the middle at once: it takes the end colour, as both rows of
// a two-row object end up in.
TEST_F(GradientView, VertCenterOfOneOrTwoRowsEndsInTheEndColour) {
  TfrxGradientView view(nullptr);
  view.SetStyle(gsVertCenter);
  view.SetBeginColor(clWhite);
  view.SetEndColor(clBlue);
  view.SetColor(clRed);  // not a published setting: never painted
  QImage one = Render(view, 10, 1);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(PixelAt(one, 2 + x, 3), clBlue) << x;
  QImage two = Render(view, 10, 2);
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(PixelAt(two, 2 + x, 3), clBlue) << x;
    EXPECT_EQ(PixelAt(two, 2 + x, 4), clBlue) << x;
  }
}

TEST_F(GradientView, CentredStylesAreMirroredWithTheEndColourInTheMiddle) {
  for (TfrxGradientStyle style : {gsVertCenter, gsHorizCenter}) {
    TfrxGradientView view(nullptr);
    view.SetStyle(style);
    view.SetBeginColor(clBlack);
    view.SetEndColor(clWhite);
    const int n = 21;
    const QImage image = style == gsVertCenter ? Render(view, 4, n) : Render(view, n, 4);
    auto at = [&](int i) { return style == gsVertCenter ? PixelAt(image, 3, 3 + i) : PixelAt(image, 2 + i, 4); };
    EXPECT_EQ(at(0), clBlack);
    EXPECT_EQ(at(n - 1), clBlack);
    EXPECT_EQ(at(n / 2), clWhite);
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(at(i), at(n - 1 - i)) << i;
      EXPECT_EQ(at(std::min(i, n - 1 - i)), GradientStepColor(clBlack, clWhite, std::min(i, n - 1 - i), n / 2)) << i;
    }
  }
}

TEST_F(GradientView, EllipticAndRectangleRunFromTheEdgesToTheCentre) {
  for (TfrxGradientStyle style : {gsElliptic, gsRectangle}) {
    TfrxGradientView view(nullptr);
    view.SetStyle(style);
    view.SetBeginColor(clBlack);
    view.SetEndColor(clWhite);
    const QImage image = Render(view, 120, 80);
    const char* name = GradientStyleNames().Name(style).c_str();
    // The outer figures all cover the corner; the last of them still has a colour
    // close to the begin colour.
    EXPECT_LT(PixelAt(image, 2, 3) & 0xFF, 0x20) << name;
    EXPECT_GT(PixelAt(image, 2 + 60, 3 + 40) & 0xFF, 0xF0) << name;
    // Brightness grows toward the centre along the middle row and column.
    for (int x = 1; x < 60; ++x) {
      EXPECT_GE(PixelAt(image, 2 + x, 43) & 0xFF, PixelAt(image, 1 + x, 43) & 0xFF) << name << " x " << x;
    }
    for (int y = 1; y < 40; ++y) {
      EXPECT_GE(PixelAt(image, 62, 3 + y) & 0xFF, PixelAt(image, 62, 2 + y) & 0xFF) << name << " y " << y;
    }
    // Both cover the object to its last column and row.
    EXPECT_NE(PixelAt(image, 2 + 119, 3), kPaper) << name;
    EXPECT_NE(PixelAt(image, 2 + 119, 3 + 79), kPaper) << name;
    EXPECT_NE(PixelAt(image, 2, 3 + 79), kPaper) << name;
  }
}

// No pixel of the object is left to the page, in any style, at any size and zoom, on
// screens and (where bands overlap instead of abutting) on printers.
TEST_F(GradientView, EveryPixelIsPaintedInEveryStyleAtEveryZoom) {
  struct Size {
    double width, height;
  };
  const Size sizes[] = {{1, 1}, {2, 1}, {1, 7}, {61, 37}, {300.4, 5.3}, {7.7, 250.2}};
  for (CanvasKind kind : {CanvasKind::Image, CanvasKind::Printer})
    for (double scale : {1.0, 2.5, 4.0})
      for (const Size& size : sizes)
        for (int style = gsHorizontal; style <= gsHorizCenter; ++style) {
          TfrxGradientView view(nullptr);
          view.SetStyle(static_cast<TfrxGradientStyle>(style));
          view.SetBeginColor(clBlack);
          view.SetEndColor(clBlue);
          view.SetBounds(1.3, 2.2, size.width, size.height);
          QImage image(static_cast<int>((size.width + 4) * scale), static_cast<int>((size.height + 5) * scale),
                       QImage::Format_RGB32);
          image.fill(QColor(255, 0, 255));
          {
            QPainterCanvas canvas(image, 96, 96, kind);
            view.Draw(canvas, scale, scale, 0, 0);
          }
          int left = 0;
          for (int y = view.DeviceTop(); y < view.DeviceBottom(); ++y)
            for (int x = view.DeviceLeft(); x < view.DeviceRight(); ++x) left += PixelAt(image, x, y) == kPaper;
          EXPECT_EQ(left, 0) << GradientStyleNames().Name(style) << " " << size.width << " x " << size.height << " at "
                             << scale << (kind == CanvasKind::Printer ? " on a printer" : "");
        }
}

TEST_F(GradientView, ColoursAreTakenByteByByteWithoutResolvingSystemColours) {
  TfrxGradientView view(nullptr);
  view.SetBeginColor(static_cast<TColor>(0xFF00000F));  // a system colour number
  view.SetEndColor(static_cast<TColor>(0xFF00000F));
  const QImage image = Render(view, 30, 4);
  EXPECT_EQ(PixelAt(image, 10, 4), 0x00000F);
}

TEST_F(GradientView, FrameIsDrawnOverTheGradientAndTheShadowShrinksIt) {
  TfrxGradientView view(nullptr);
  view.SetBeginColor(clLime);
  view.SetEndColor(clLime);
  view.Frame().SetTyp(15);
  view.Frame().SetColor(clBlue);
  QImage framed = Render(view, 40, 30);
  EXPECT_EQ(PixelAt(framed, 2, 10), clBlue);
  EXPECT_EQ(PixelAt(framed, 20, 3), clBlue);
  EXPECT_EQ(PixelAt(framed, 20, 15), clLime);

  TfrxGradientView shadowed(nullptr);
  shadowed.SetBeginColor(clLime);
  shadowed.SetEndColor(clLime);
  shadowed.Frame().SetDropShadow(true);
  shadowed.Frame().SetShadowWidth(4);
  shadowed.Frame().SetShadowColor(clBlack);
  QImage image = Render(shadowed, 40, 30);
  EXPECT_EQ(PixelAt(image, 2 + 35, 3 + 10), clLime);
  EXPECT_NE(PixelAt(image, 2 + 36, 3 + 10), clLime) << "the gradient ends 4 pixels early";
  EXPECT_EQ(PixelAt(image, 2 + 10, 3 + 25), clLime);
  EXPECT_NE(PixelAt(image, 2 + 10, 3 + 26), clLime);
}

TEST_F(GradientView, TallCentredGradientPaintsOnlyWhatTheClipShows) {
  // A device rectangle far taller than any page: painting it stays quick because only
  // rows inside the clip are filled.
  TfrxGradientView view(nullptr);
  view.SetStyle(gsVertCenter);
  view.SetBeginColor(clBlack);
  view.SetEndColor(clWhite);
  view.SetBounds(0, -50000000, 10, 100000000);
  QImage image(10, 10, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainterCanvas canvas(image);
  view.Draw(canvas, 1, 1, 0, 0);
  EXPECT_EQ(PixelAt(image, 5, 5) & 0xFF, 0xFF);
}

}  // namespace
}  // namespace quarlo
