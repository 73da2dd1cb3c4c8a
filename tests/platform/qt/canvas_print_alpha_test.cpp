// Printer and PDF pages painted through the canvas carry no transparency: hatches,
// pictures with a transparent colour and pictures with an alpha channel come out as
// opaque drawing, because print converters that cannot take soft masks or masked
// images drop the whole page.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QRegularExpression>
#include <functional>

#include "platform/qt/qpainter_canvas.h"

namespace quarlo {
namespace {

CanvasImage TwoColourPicture(std::uint32_t inner, std::uint32_t outer) {
  CanvasImage image;
  image.width = 16;
  image.height = 16;
  image.pixels.assign(256, outer);
  for (int y = 4; y < 12; ++y)
    for (int x = 4; x < 12; ++x) image.pixels[static_cast<std::size_t>(y * 16 + x)] = inner;
  return image;
}

QByteArray PaintPdf(const std::function<void(QPainterCanvas&)>& paint) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    QPainter painter(&writer);
    {
      QPainterCanvas canvas(painter, CanvasKind::Printer);
      paint(canvas);
    }
    painter.end();
  }
  return bytes;
}

void Hatched(QPainterCanvas& c, CanvasBrush::Style style) {
  c.SetBrush(CanvasBrush{clRed, style});
  c.SetPen(CanvasPen::Solid(clBlack, 2));
}

struct Case {
  const char* name;
  std::function<void(QPainterCanvas&)> paint;
};

TEST(CanvasPrintAlpha, PdfPagesHaveNoMasksOrPartialOpacity) {
  const CanvasPoint diamond[] = {{300, 100}, {500, 300}, {300, 500}, {100, 300}};
  const CanvasPoint ring[] = {{50, 50}, {650, 50}, {650, 650}, {50, 650}, {200, 200}, {500, 200}, {500, 500}, {200, 500}};
  const int ringCounts[] = {4, 4};
  const Case cases[] = {
      {"cross hatched rectangle", [](QPainterCanvas& c) { Hatched(c, CanvasBrush::Style::Cross); c.Rectangle(100, 100, 900, 600); }},
      {"diagonal hatched fill", [](QPainterCanvas& c) { Hatched(c, CanvasBrush::Style::DiagCross); c.FillRect({10, 10, 700, 400}); }},
      {"hatched diamond", [&](QPainterCanvas& c) { Hatched(c, CanvasBrush::Style::FDiagonal); c.Polygon(diamond); }},
      {"hatched ring", [&](QPainterCanvas& c) { Hatched(c, CanvasBrush::Style::BDiagonal); c.PolyPolygon(ring, ringCounts); }},
      {"hatched ellipse", [](QPainterCanvas& c) { Hatched(c, CanvasBrush::Style::Horizontal); c.Ellipse(100, 100, 800, 500); }},
      {"hatched rounded rectangle", [](QPainterCanvas& c) { Hatched(c, CanvasBrush::Style::Vertical); c.RoundRect(100, 100, 800, 500, 80, 80); }},
      {"shadowed frame", [](QPainterCanvas& c) {
         c.SetBrush(CanvasBrush::SolidColor(clBlack));
         c.FillRect({120, 120, 820, 520});
         c.SetBrush(CanvasBrush::SolidColor(clWhite));
         c.SetPen(CanvasPen::Solid(clNavy, 1));
         c.Rectangle(100, 100, 800, 500);
       }},
      {"picture with a transparent colour", [](QPainterCanvas& c) {
         c.DrawImageTransparent({100, 100, 420, 420}, TwoColourPicture(0xFF0000FFu, 0xFFFFFFFFu), clWhite, ImageStretch::Plain);
       }},
      {"picture with an alpha channel", [](QPainterCanvas& c) {
         c.DrawImage({100, 100, 420, 420}, TwoColourPicture(0xFF00FF00u, 0x40FF0000u), ImageStretch::Smooth);
       }},
  };
  const QRegularExpression softMask(R"(/SMask\s+\d)"), maskedImage(R"(/ImageMask\s+true|/Mask\s+[\d\[])");
  const QRegularExpression partialOpacity(R"(/(ca|CA)\s+(0(\.\d*)?|\.\d+)\b)");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QByteArray pdf = PaintPdf(c.paint);
    ASSERT_FALSE(pdf.isEmpty());
    const QString text = QString::fromLatin1(pdf);
    EXPECT_FALSE(softMask.match(text).hasMatch());
    EXPECT_FALSE(maskedImage.match(text).hasMatch());
    EXPECT_FALSE(partialOpacity.match(text).hasMatch());
    EXPECT_FALSE(text.contains("/PatternType")) << "a hatch went out as a tiling pattern";
  }
}

// Paper hatch lines keep the screen tile's grid: rows and columns on the same pixels,
// diagonals with the same spacing.
TEST(CanvasPrintAlpha, PaperHatchMatchesTheScreenPattern) {
  const CanvasBrush::Style styles[] = {CanvasBrush::Style::Horizontal, CanvasBrush::Style::Vertical,
                                       CanvasBrush::Style::FDiagonal,  CanvasBrush::Style::BDiagonal,
                                       CanvasBrush::Style::Cross,      CanvasBrush::Style::DiagCross};
  for (CanvasBrush::Style style : styles) {
    SCOPED_TRACE(static_cast<int>(style));
    // A recorded picture is a vector device like a printer; playing it back shows
    // where the strokes fall.
    QPicture picture;
    {
      QPainter painter(&picture);
      QPainterCanvas canvas(painter, CanvasKind::Printer);
      canvas.SetBrush(CanvasBrush{clBlack, style});
      canvas.FillRect({3, 5, 37, 33});
    }
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter player(&image);
      player.drawPicture(0, 0, picture);
    }
    int wrong = 0, covered = 0, inked = 0;
    for (int y = 6; y < 32; ++y)
      for (int x = 4; x < 36; ++x) {
        const bool ink = qGray(image.pixel(x, y)) < 128;
        covered += HatchCovers(style, x, y);
        inked += ink;
        if (ink != HatchCovers(style, x, y)) ++wrong;
      }
    const bool diagonal = style == CanvasBrush::Style::FDiagonal || style == CanvasBrush::Style::BDiagonal ||
                          style == CanvasBrush::Style::DiagCross;
    if (diagonal) {
      // A slanted stroke may fall a pixel to one side of the tile's staircase; the
      // spacing and the amount of ink stay those of the pattern.
      EXPECT_GE(inked, covered * 3 / 4);
      EXPECT_LE(inked, covered * 5 / 4);
    } else {
      EXPECT_EQ(wrong, 0);
    }
  }
}

}  // namespace
}  // namespace quarlo
