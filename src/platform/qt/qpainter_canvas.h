#pragma once
// The canvas over QPainter: images, widgets, printers and PDF. Lines, rectangles and
// hatches are painted as whole device-pixel spans so the pixels match the integer
// geometry the objects were designed for (see platform/canvas.h); curves and slanted
// wide lines go through QPainter without antialiasing. On vector devices styled lines
// are strokes with a dash pattern and hatches are lines. Text is drawn glyph by glyph
// at the positions the caller gives, with the faces the font engine measured; screen
// canvases draw the glyph shapes with the desktop's hinting.
#include <QPainter>
#include <QRegion>
#include <memory>
#include <optional>

#include "platform/canvas.h"

class QPaintDevice;
class QImage;

namespace quarlo {

class QPainterCanvas final : public Canvas {
 public:
  // Paints through `painter`, which stays the caller's (already begun on its device).
  // dpi 0 takes the device's logical resolution.
  QPainterCanvas(QPainter& painter, CanvasKind kind, int dpiX = 0, int dpiY = 0);
  // Begins its own painter on `image` (an Image canvas at 96 dpi unless told otherwise).
  explicit QPainterCanvas(QImage& image, int dpiX = 96, int dpiY = 96, CanvasKind kind = CanvasKind::Image);
  ~QPainterCanvas() override;

  CanvasKind Kind() const override { return kind_; }
  int DpiX() const override { return dpiX_; }
  int DpiY() const override { return dpiY_; }
  CanvasRect DeviceBounds() const override { return bounds_; }

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

  QPainter& Painter() { return *painter_; }

 protected:
  void DrawSegment(CanvasPoint from, CanvasPoint to) override;
  void ClipChanged() override;

 private:
  void Init(int dpiX, int dpiY);
  void Segment(CanvasPoint from, CanvasPoint to, bool lastPixel);
  void CosmeticSegment(CanvasPoint from, CanvasPoint to, bool lastPixel);
  void StyledSegment(CanvasPoint from, CanvasPoint to, bool lastPixel);
  void StrokeStyledSegment(CanvasPoint from, CanvasPoint to, int width);
  void WideSegment(CanvasPoint from, CanvasPoint to);
  void Disc(double cx, double cy, int w, const QColor& color);
  void Span(int left, int top, int right, int bottom, const QColor& color);
  void FillBrush(const CanvasRect& rect);
  bool PenVisible() const;
  QPen VectorPen() const;
  // The painter's brush for filling a figure within `area`, hatches included.
  void SelectBrush(const CanvasRect& area);
  void BeginOp(bool useMode);

  std::unique_ptr<QPainter> ownPainter_;
  QPainter* painter_ = nullptr;
  CanvasKind kind_;
  int dpiX_ = 96;
  int dpiY_ = 96;
  CanvasRect bounds_;
  std::optional<QRegion> initialClip_;
  bool raster_ = true;  // pixels can be addressed (images, widgets), not a vector page
};

QColor ToQColor(TColor c);

}  // namespace quarlo
