// Pixel checks of the QPainter canvas on real images: the integer geometry report
// objects were designed for (which pixels lines, rectangles, caps and hatches cover).
#include "platform/qt/qpainter_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>
#include <vector>

namespace quarlo {
namespace {

// Draws on a white 24 x 16 image and returns rows of '#' (black), 'r' (red), 'b' (blue),
// 'y' (yellow), '.' (white) and '?' (anything else) for the window x0..x0+w, y0..y0+h.
std::vector<std::string> Render(const std::function<void(Canvas&)>& draw, int x0 = 0, int y0 = 0, int w = 16,
                                int h = 10) {
  QImage img(24, 16, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainterCanvas c(img);
    draw(c);
  }
  std::vector<std::string> rows;
  for (int y = y0; y < y0 + h; ++y) {
    std::string row;
    for (int x = x0; x < x0 + w; ++x) {
      const QRgb p = img.pixel(x, y) & 0xFFFFFF;
      row += p == 0 ? '#' : p == 0xFFFFFF ? '.' : p == 0xFF0000 ? 'r' : p == 0x0000FF ? 'b' : p == 0xFFFF00 ? 'y' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

CanvasPen Geometric(int width, CanvasPen::Cap cap, std::vector<int> dashes = {}) {
  CanvasPen p;
  p.geometric = true;
  p.width = width;
  p.cap = cap;
  p.dashes = std::move(dashes);
  return p;
}

struct GeometryCase {
  const char* name;
  std::function<void(Canvas&)> draw;
  std::vector<std::string> expected;  // window (0,0)-(16,10)
};

TEST(QPainterCanvasGeometry, CoversThePixelsOfTheIntegerModel) {
  const GeometryCase cases[] = {
      {"LineTo leaves out the end pixel",
       [](Canvas& c) {
         c.MoveTo(2, 1); c.LineTo(6, 1);
         c.MoveTo(1, 3); c.LineTo(1, 6);
         c.MoveTo(9, 6); c.LineTo(4, 6);  // right to left
       },
       {"................", "..####..........", "................", ".#..............", ".#..............",
        ".#..............", ".....#####......", "................", "................", "................"}},
      {"rectangle outline inside, right and bottom exclusive, brush inside",
       [](Canvas& c) {
         c.SetBrush(CanvasBrush::SolidColor(clYellow));
         c.Rectangle(1, 1, 7, 5);
         c.SetPen(CanvasPen{clBlack, 1, CanvasPen::Style::Clear, false, CanvasPen::Cap::Round, {}});
         c.Rectangle(9, 1, 13, 5);  // no pen: one pixel smaller
       },
       {"................", ".######..yyy....", ".#yyyy#..yyy....", ".#yyyy#..yyy....", ".######.........",
        "................", "................", "................", "................", "................"}},
      {"square caps reach w/2 past both ends; even widths cover -1 and 0",
       [](Canvas& c) {
         c.SetPen(Geometric(1, CanvasPen::Cap::Square)); c.MoveTo(2, 1); c.LineTo(5, 1);
         c.SetPen(Geometric(2, CanvasPen::Cap::Square)); c.MoveTo(2, 4); c.LineTo(5, 4);
         c.SetPen(Geometric(3, CanvasPen::Cap::Square)); c.MoveTo(10, 2); c.LineTo(10, 6);
       },
       {"................", "..####...###....", ".........###....", ".#####...###....", ".#####...###....",
        ".........###....", ".........###....", ".........###....", "................", "................"}},
      {"flat-capped user dashes: (1,1) alternate pixels, (2,2) squares",
       [](Canvas& c) {
         c.SetPen(Geometric(1, CanvasPen::Cap::Flat, {1, 1})); c.MoveTo(0, 1); c.LineTo(9, 1);
         c.SetPen(Geometric(2, CanvasPen::Cap::Flat, {2, 2})); c.MoveTo(0, 4); c.LineTo(12, 4);
       },
       {"................", "#.#.#.#.#.......", "................", "##..##..##......", "##..##..##......",
        "................", "................", "................", "................", "................"}},
      {"round-capped zero dashes draw dots w wide every 2w",
       [](Canvas& c) {
         c.SetPen(Geometric(2, CanvasPen::Cap::Round, {0, 4})); c.MoveTo(1, 2); c.LineTo(13, 2);
       },
       {"................", "##..##..##..##..", "##..##..##..##..", "................", "................",
        "................", "................", "................", "................", "................"}},
      {"wide plain pen is solid, centred, its round ends a 3-pixel disc",
       [](Canvas& c) {
         c.SetPen(CanvasPen::Solid(clBlack, 3)); c.MoveTo(3, 3); c.LineTo(10, 3);
       },
       {"................", "................", "..##########....", "..##########....", "..##########....",
        "................", "................", "................", "................", "................"}},
      {"thick rectangle outline is centred on the one-pixel outline",
       [](Canvas& c) {
         c.SetPen(CanvasPen::Solid(clBlack, 3));
         c.SetBrush(CanvasBrush::SolidColor(clYellow));
         c.Rectangle(2, 2, 10, 9);
       },
       {"................", ".##########.....", ".##########.....", ".##########.....", ".###yyyy###.....",
        ".###yyyy###.....", ".###yyyy###.....", ".##########.....", ".##########.....", ".##########....."}},
      {"FillRect ignores the pen and paints [left,right) x [top,bottom)",
       [](Canvas& c) {
         c.SetBrush(CanvasBrush::SolidColor(clRed));
         c.FillRect({2, 1, 5, 3});
         c.FillRect({8, 1, 8, 3});  // empty
       },
       {"................", "..rrr...........", "..rrr...........", "................", "................",
        "................", "................", "................", "................", "................"}},
  };
  for (const GeometryCase& k : cases) EXPECT_EQ(Render(k.draw), k.expected) << k.name;
}

TEST(QPainterCanvasGeometry, StyledPenGapsShowASolidBrushAndStayClearOtherwise) {
  auto dashed = [](CanvasBrush brush) {
    return Render([brush](Canvas& c) {
      c.SetPen(CanvasPen{clBlack, 1, CanvasPen::Style::Dot, false, CanvasPen::Cap::Round, {}});
      c.SetBrush(brush);
      c.MoveTo(0, 0);
      c.LineTo(14, 0);
    }, 0, 0, 16, 1);
  };
  EXPECT_EQ(dashed(CanvasBrush::SolidColor(clRed)), std::vector<std::string>{"###rrr###rrr##.."});
  EXPECT_EQ(dashed(CanvasBrush::Clear()), std::vector<std::string>{"###...###...##.."});
}

TEST(QPainterCanvasGeometry, HatchesKeepTheirEightPixelGridAndLeaveGapsUntouched) {
  const auto rows = Render([](Canvas& c) {
    c.SetBrush(CanvasBrush::SolidColor(clYellow));
    c.FillRect({0, 0, 24, 16});
    c.SetBrush({clBlack, CanvasBrush::Style::Cross});
    c.FillRect({3, 3, 20, 12});
  }, 0, 0, 20, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 3 && y >= 3 && y < 12;
      const char want = inside && (x % 8 == 0 || y % 8 == 0) ? '#' : 'y';
      EXPECT_EQ(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)], want) << x << "," << y;
    }
}

TEST(QPainterCanvasGeometry, XorPenInvertsAndASecondPassRestores) {
  auto draw = [](int passes) {
    return Render([passes](Canvas& c) {
      c.SetBrush(CanvasBrush::SolidColor(clBlack));
      c.FillRect({0, 0, 4, 3});
      c.SetRasterMode(RasterMode::Xor);
      c.SetPen(CanvasPen::Solid(clWhite));
      for (int p = 0; p < passes; ++p)
        for (int y = 1; y <= 2; ++y) {
          c.MoveTo(2, y);
          c.LineTo(7, y);
        }
    }, 0, 0, 8, 3);
  };
  EXPECT_EQ(draw(1), (std::vector<std::string>{"####....", "##..###.", "##..###."}));
  EXPECT_EQ(draw(2), (std::vector<std::string>{"####....", "####....", "####...."}));
}

TEST(QPainterCanvasGeometry, ClipLimitsDrawingUntilRestored) {
  const auto rows = Render([](Canvas& c) {
    c.SetBrush(CanvasBrush::SolidColor(clRed));
    c.SaveClip();
    c.IntersectClipRect({2, 0, 5, 2});
    c.FillRect({0, 0, 8, 4});
    c.RestoreClip();
    c.SetBrush(CanvasBrush::SolidColor(clBlue));
    c.FillRect({6, 2, 8, 3});
  }, 0, 0, 8, 3);
  EXPECT_EQ(rows, (std::vector<std::string>{"..rrr...", "..rrr...", "......bb"}));
}

TEST(QPainterCanvasGeometry, CurvedFiguresKeepTheRectangleRules) {
  struct Case {
    const char* name;
    bool pen;
    std::function<void(Canvas&, int, int, int, int)> figure;
  };
  const Case cases[] = {
      {"ellipse", true, [](Canvas& c, int l, int t, int r, int b) { c.Ellipse(l, t, r, b); }},
      {"ellipse without pen", false, [](Canvas& c, int l, int t, int r, int b) { c.Ellipse(l, t, r, b); }},
      {"round rectangle", true, [](Canvas& c, int l, int t, int r, int b) { c.RoundRect(l, t, r, b, 6, 6); }},
      {"round rectangle without pen", false,
       [](Canvas& c, int l, int t, int r, int b) { c.RoundRect(l, t, r, b, 6, 6); }},
  };
  for (const Case& k : cases) {
    const auto rows = Render([&](Canvas& c) {
      if (!k.pen) c.SetPen(CanvasPen{clBlack, 1, CanvasPen::Style::Clear, false, CanvasPen::Cap::Round, {}});
      c.SetBrush(CanvasBrush::SolidColor(clBlack));
      k.figure(c, 2, 2, 14, 12);
    }, 0, 0, 24, 16);
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 24; ++x)
        if (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#') {
          minX = std::min(minX, x); maxX = std::max(maxX, x);
          minY = std::min(minY, y); maxY = std::max(maxY, y);
        }
    // Right and bottom exclusive; without a pen one pixel less. The outline reaches its
    // rectangle exactly; a pen-less fill stays inside it and reaches within a pixel.
    const int last = k.pen ? 1 : 2;
    const int slack = k.pen ? 0 : 1;
    EXPECT_GE(minX, 2) << k.name;
    EXPECT_LE(minX, 2 + slack) << k.name;
    EXPECT_GE(minY, 2) << k.name;
    EXPECT_LE(minY, 2 + slack) << k.name;
    EXPECT_LE(maxX, 14 - last) << k.name;
    EXPECT_GE(maxX, 14 - last - slack) << k.name;
    EXPECT_LE(maxY, 12 - last) << k.name;
    EXPECT_GE(maxY, 12 - last - slack) << k.name;
  }
}

TEST(QPainterCanvasImages, StretchedAndTransparentDrawing) {
  CanvasImage img{2, 1, {0xFFFF0000u, 0xFF0000FFu}};  // red, blue
  const auto plain = Render([&](Canvas& c) { c.DrawImage({0, 0, 8, 2}, img, ImageStretch::Plain); }, 0, 0, 8, 2);
  EXPECT_EQ(plain, (std::vector<std::string>{"rrrrbbbb", "rrrrbbbb"}));
  const auto keyed = Render([&](Canvas& c) {
    c.DrawImageTransparent({0, 0, 8, 1}, img, RGBColor(255, 0, 0), ImageStretch::Plain);
  }, 0, 0, 8, 1);
  EXPECT_EQ(keyed, (std::vector<std::string>{"....bbbb"}));
  CanvasImage broken{100, 100, {}};  // claims pixels it does not have
  EXPECT_EQ(Render([&](Canvas& c) { c.DrawImage({0, 0, 8, 1}, broken, ImageStretch::Smooth); }, 0, 0, 8, 1),
            (std::vector<std::string>{"........"}));
}

}  // namespace
}  // namespace quarlo
