// PolyPolygon on the recording and QPainter canvases: figures filled as one area (holes
// by the alternate rule, filled by the non-zero rule), each outlined with the pen, and
// counts that run past the points cut short.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/qt/qpainter_canvas.h"
#include "platform/recording_canvas.h"

namespace quarlo {
namespace {

const std::vector<CanvasPoint> kRings = {{1, 1}, {12, 1}, {12, 12}, {1, 12}, {4, 4}, {9, 4}, {9, 9}, {4, 9}};

char At(const QImage& img, int x, int y) {
  const QRgb p = img.pixel(x, y) & 0xFFFFFF;
  return p == 0 ? '#' : p == 0xFFFFFF ? '.' : p == 0xFF0000 ? 'r' : '?';
}

TEST(CanvasPolyPolygon, FillRuleCutsOrFillsTheInnerFigure) {
  for (bool winding : {false, true}) {
    SCOPED_TRACE(winding);
    QImage img(14, 14, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
      QPainterCanvas c(img);
      c.SetPen(CanvasPen::Solid(clBlack));
      c.SetBrush(CanvasBrush::SolidColor(clRed));
      const int counts[] = {4, 4};
      c.PolyPolygon(kRings, counts, winding);
    }
    EXPECT_EQ(At(img, 1, 6), '#');  // outer outline
    EXPECT_EQ(At(img, 4, 6), '#');  // inner outline
    EXPECT_EQ(At(img, 2, 6), 'r');
    EXPECT_EQ(At(img, 6, 6), winding ? 'r' : '.');
    EXPECT_EQ(At(img, 13, 6), '.');
  }
}

TEST(CanvasPolyPolygon, RecordedWithCountsAndCutShort) {
  RecordingCanvas c;
  const int counts[] = {4, 40, 3};
  c.PolyPolygon(kRings, counts, true);
  const auto records = c.RecordsOf(CanvasRecord::Op::PolyPolygon);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0]->counts, (std::vector<int>{4, 4, 0}));
  EXPECT_EQ(records[0]->points, kRings);
  EXPECT_TRUE(records[0]->winding);
  EXPECT_EQ(records[0]->bounds, (CanvasRect{1, 1, 13, 13}));
}

}  // namespace
}  // namespace quarlo
