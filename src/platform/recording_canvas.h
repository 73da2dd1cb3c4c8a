#pragma once
// A canvas that keeps every operation, in order, with its arguments, the drawing state
// it used and the device bounds it touches. Tests assert on it; the text search walks
// the text records of a recorded page.
#include <vector>

#include "platform/canvas.h"

namespace quarlo {

struct CanvasRecord {
  enum class Op {
    Line,
    Polyline,
    Polygon,
    Rectangle,
    RoundRect,
    Ellipse,
    FillRect,
    Text,
    Image,
    ImageTransparent,
    Clip,  // the clip changed; `rect` is the new clip box
    PolyPolygon,
  };
  Op op = Op::Line;
  std::vector<CanvasPoint> points;  // Line: from, to; Polyline/Polygon/PolyPolygon: the vertices
  std::vector<int> counts;          // PolyPolygon: vertices per figure
  bool winding = false;             // PolyPolygon: non-zero filling
  CanvasRect rect;                  // figures, FillRect, images: the rectangle given
  CanvasPoint corner;               // RoundRect: corner ellipse size
  std::u16string text;
  std::vector<int> advances;
  bool hasTextClip = false;
  CanvasRect textClip;
  unsigned flags = 0;
  int imageWidth = 0;
  int imageHeight = 0;
  TColor transparent = clTransparent;
  ImageStretch stretch = ImageStretch::Plain;
  CanvasPen pen;
  CanvasBrush brush;
  CanvasFont font;
  RasterMode mode = RasterMode::Copy;
  // Device pixels the operation may touch, before clipping (right/bottom exclusive).
  CanvasRect bounds;
};

class RecordingCanvas final : public Canvas {
 public:
  explicit RecordingCanvas(CanvasRect device = {0, 0, 1 << 20, 1 << 20}, int dpiX = 96, int dpiY = 96,
                           CanvasKind reportedKind = CanvasKind::Recording);

  const std::vector<CanvasRecord>& Records() const { return records_; }
  void Clear() { records_.clear(); }
  // Records of one kind, in order (convenience for tests and search).
  std::vector<const CanvasRecord*> RecordsOf(CanvasRecord::Op op) const;

  CanvasKind Kind() const override { return kind_; }
  int DpiX() const override { return dpiX_; }
  int DpiY() const override { return dpiY_; }
  CanvasRect DeviceBounds() const override { return device_; }

  void Polyline(std::span<const CanvasPoint> points) override;
  void Polygon(std::span<const CanvasPoint> points) override;
  void PolyPolygon(std::span<const CanvasPoint> points, std::span<const int> counts, bool winding = false) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void FillRect(const CanvasRect& rect) override;
  void TextOut(int x, int y, std::u16string_view text, std::span<const int> advances = {},
               const CanvasRect* clip = nullptr, unsigned flags = 0) override;
  void DrawImage(const CanvasRect& dest, const CanvasImage& image, ImageStretch stretch) override;
  void DrawImageTransparent(const CanvasRect& dest, const CanvasImage& image, TColor transparent,
                            ImageStretch stretch) override;

 protected:
  void DrawSegment(CanvasPoint from, CanvasPoint to) override;
  void ClipChanged() override;

 private:
  CanvasRecord& Add(CanvasRecord::Op op);
  CanvasRect PointsBounds(std::span<const CanvasPoint> points) const;

  CanvasRect device_;
  int dpiX_;
  int dpiY_;
  CanvasKind kind_;
  std::vector<CanvasRecord> records_;
};

// Device bounds of a text drawn at (x, y) with `font` and the given advances (the font's
// own when empty), rotated by the font's escapement about (x, y).
CanvasRect TextBounds(Canvas& canvas, int x, int y, std::u16string_view text, std::span<const int> advances);

}  // namespace quarlo
