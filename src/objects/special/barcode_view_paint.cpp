#include "objects/special/barcode_view_paint.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/charset.h"
#include "platform/codepage.h"
#include "platform/rounding.h"

namespace quarlo {

namespace {

// Picture sizes beyond this are not meaningful on any device and would overflow the
// integer geometry.
constexpr double kMaxPictureUnits = 1e8;

int PictureUnits(double v) {
  if (!std::isfinite(v)) return 0;
  return RoundHalfEven(std::clamp(v, 0.0, kMaxPictureUnits));
}

bool IsEanUpc(TfrxBarcodeType t) {
  return t == bcCodeEAN8 || t == bcCodeEAN13 || t == bcCodeUPC_A || t == bcCodeUPC_E0 ||
         t == bcCodeUPC_E1;
}

// Rotation of the unrotated symbol (width w, bar height b) into positive picture
// coordinates, then shifted by the bar origin.
class BarTransform {
 public:
  BarTransform(double angle, int w, int b, CanvasPoint origin) : origin_(origin) {
    const double rad = angle / 180.0 * std::numbers::pi;
    sin_ = std::sin(rad);
    cos_ = std::cos(rad);
    if (sin_ >= 0 && cos_ >= 0) {
      off_ = {0, RoundHalfEven(w * sin_)};
    } else if (sin_ >= 0) {
      off_ = {-RoundHalfEven(w * cos_), RoundHalfEven(w * sin_ - b * cos_)};
    } else if (cos_ >= 0) {
      off_ = {-RoundHalfEven(b * sin_), 0};
    } else {
      off_ = {-RoundHalfEven(w * cos_) - RoundHalfEven(b * sin_), -RoundHalfEven(b * cos_)};
    }
  }
  CanvasPoint Map(int x, int y) const {
    return {RoundHalfEven(x * cos_ + y * sin_) + off_.x + origin_.x,
            RoundHalfEven(-x * sin_ + y * cos_) + off_.y + origin_.y};
  }

 private:
  double sin_ = 0, cos_ = 1;
  CanvasPoint off_;
  CanvasPoint origin_;
};

BarcodePictureFill AreaFill(const CanvasRect& r, TColor color) {
  BarcodePictureFill f;
  f.corners[0] = {r.left, r.top};
  f.corners[1] = {r.left, r.bottom};
  f.corners[2] = {r.right, r.bottom};
  f.corners[3] = {r.right, r.top};
  f.axisAligned = true;
  f.box = r;
  f.color = color;
  return f;
}

BarcodePictureFill CornerFill(const CanvasPoint (&c)[4], TColor color) {
  BarcodePictureFill f;
  std::copy(std::begin(c), std::end(c), f.corners);
  f.color = color;
  const bool sidesVertical = c[0].x == c[1].x && c[2].x == c[3].x && c[0].y == c[3].y && c[1].y == c[2].y;
  const bool sidesHorizontal = c[0].y == c[1].y && c[2].y == c[3].y && c[0].x == c[3].x && c[1].x == c[2].x;
  if (sidesVertical || sidesHorizontal) {
    f.axisAligned = true;
    f.box = {std::min(c[0].x, c[2].x), std::min(c[0].y, c[2].y), std::max(c[0].x, c[2].x),
             std::max(c[0].y, c[2].y)};
  }
  return f;
}

struct TextPiece {
  std::u16string text;
  int a = 0, b1 = 0, b2 = 0;
};

std::u16string Chars(const std::u16string& text, size_t first, size_t count) {
  if (first >= text.size()) return {};
  return text.substr(first, count);
}

std::u16string WithoutFnc1(std::u16string text) {
  static const std::u16string kMarker = u"&FNC1;";
  for (size_t p; (p = text.find(kMarker)) != std::u16string::npos;) text.erase(p, kMarker.size());
  return text;
}

int TextWidth(Canvas& measure, const std::u16string& text) {
  return text.empty() ? 0 : measure.MeasureText(text, {});
}

// The pieces of human-readable text of a type, along the bar direction from the start
// of the pattern (w wide).
std::vector<TextPiece> TextPieces(TfrxBarcodeType type, const std::u16string& text, int w, Canvas& measure) {
  switch (type) {
    case bcCodeEAN8:
      return {{Chars(text, 0, 4), 3, 3, 30}, {Chars(text, 4, 4), 35, 35, w - 4}};
    case bcCodeEAN13:
      return {{Chars(text, 0, 1), -8, -8, -2}, {Chars(text, 1, 6), 3, 3, 44}, {Chars(text, 7, 6), 49, 49, w - 4}};
    case bcCodeUPC_A:
      return {{Chars(text, 0, 1), -8, -8, -2},
              {Chars(text, 1, 5), 10, 10, 44},
              {Chars(text, 6, 5), 49, 49, 83},
              {Chars(text, 11, 1), w + 1, w + 1, w + 8}};
    case bcCodeUPC_E0:
    case bcCodeUPC_E1:
      return {{Chars(text, 0, 6), 3, 3, 44}, {Chars(text, 6, 1), w + 1, w + 1, w + 8}};
    default: {
      std::u16string shown = IsCode128Family(type) ? WithoutFnc1(text) : text;
      const int a = (w - TextWidth(measure, shown)) / 2;
      return {{std::move(shown), a, 0, w}};
    }
  }
}

CanvasFont PictureFont(const TFont& font, int escapement) {
  CanvasFont f;
  f.name = WideToUtf8(AnsiToWide(font.Name(), font.Charset()));
  f.height = font.Height();
  f.style = font.Style();
  f.color = font.Color();
  f.charset = font.Charset();
  f.escapement = escapement;
  return f;
}

void LayoutText(TfrxBarcode& barcode, Canvas& measure, int w, int h, BarcodePicture& p) {
  const int angle = p.font.escapement / 10;
  const int W = p.width, H = p.height;
  const std::u16string text = AnsiToWide(barcode.Text(), barcode.Font().Charset());
  for (const TextPiece& piece : TextPieces(barcode.Typ(), text, w, measure)) {
    CanvasRect band;
    CanvasPoint at;
    switch (angle) {
      case 90:
        band = {W - h, H - piece.b2 - 1, W, H - piece.b1};
        at = {W - h, H - piece.a};
        break;
      case 180:
        band = {W - piece.b2 - 1, 0, W - piece.b1, h + 2};
        at = {W - piece.a, h};
        break;
      case 270:
        band = {0, piece.b1, h, piece.b2 + 1};
        at = {h, piece.a};
        break;
      default:
        band = {piece.b1, H - h - 2, piece.b2 + 1, H};
        at = {piece.a, H - h};
        break;
    }
    p.fills.push_back(AreaFill(band, barcode.Color()));
    if (piece.text.empty()) continue;
    BarcodePictureText t;
    t.at = at;
    t.text = piece.text;
    t.extents.resize(piece.text.size());
    measure.MeasureText(t.text, t.extents);
    p.texts.push_back(std::move(t));
  }
}

}  // namespace

int RightAngleRotation(double degrees) {
  if (!std::isfinite(degrees)) return 0;
  double angle = std::fmod(degrees, 360.0);
  if (angle < 0) angle += 360.0;
  for (int right : {90, 180, 270}) {
    if (angle == right) return right;
  }
  return 0;
}

BarcodePicture LayoutBarcode(TfrxBarcode& barcode, Canvas& measure, int targetWidth, int targetHeight,
                             bool showText) {
  BarcodePicture p;
  const std::string pattern = barcode.BuildPattern();
  long long total = 0;
  std::vector<BarElement> elements;
  elements.reserve(pattern.size());
  for (char c : pattern) {
    elements.push_back(barcode.ElementOf(c));
    total += elements.back().width;
  }
  if (total <= 0 || total > kMaxPictureUnits || targetWidth <= 0 || targetHeight <= 0) return p;
  const int w = static_cast<int>(total);
  barcode.SetBarOrigin(0, 0);
  const int h = 2 + std::abs(barcode.Font().Height());

  const int rotation = RightAngleRotation(barcode.Angle());
  const bool across = rotation == 0 || rotation == 180;
  if (across) {
    p.scale = static_cast<double>(targetWidth) / w;
    p.width = w;
    p.height = PictureUnits(targetHeight / p.scale);
    p.barHeight = p.height;
  } else {
    p.scale = static_cast<double>(targetHeight) / w;
    p.width = PictureUnits(targetWidth / p.scale);
    p.height = w;
    p.barHeight = p.width;
  }
  if (p.width <= 0 || p.height <= 0) return p;

  CanvasPoint origin{0, 0};
  if (showText) {
    const int cross = across ? p.height : p.width;
    const int shift = IsEanUpc(barcode.Typ()) ? (h + 2) / 2 : h + 2;
    p.barHeight = IsEanUpc(barcode.Typ()) ? cross - h / 2 : cross - h - 2;
    if (rotation == 180) origin.y = shift;
    if (rotation == 270) origin.x = shift;
  }
  barcode.SetBarOrigin(origin.x, origin.y);
  p.barOrigin = origin;

  const int b = p.barHeight;
  const BarTransform map(rotation, w, b, origin);
  p.fills.reserve(elements.size() + 4);
  int x = 0;
  for (const BarElement& e : elements) {
    const bool bar = e.kind != BarElementKind::Space;
    const int top = e.kind == BarElementKind::ShortBar ? b - b * 2 / 5 : 0;
    const CanvasPoint corners[4] = {map.Map(x, top), map.Map(x, b), map.Map(x + e.width, b),
                                    map.Map(x + e.width, top)};
    p.fills.push_back(CornerFill(corners, bar ? barcode.ColorBar() : barcode.Color()));
    x += e.width;
  }

  p.font = PictureFont(barcode.Font(), rotation * 10);
  if (showText) {
    CanvasStateSaver saver(measure);
    CanvasFont unrotated = p.font;
    unrotated.escapement = 0;
    measure.SetFont(unrotated);
    LayoutText(barcode, measure, w, h, p);
  }
  return p;
}

void DrawBarcodePicture(const BarcodePicture& picture, Canvas& canvas, const CanvasRect& target) {
  if (picture.width <= 0 || picture.height <= 0) return;
  CanvasStateSaver saver(canvas);
  const double kx = static_cast<double>(target.Width()) / picture.width;
  const double ky = static_cast<double>(target.Height()) / picture.height;
  auto mapX = [&](int x) { return target.left + RoundHalfEven(x * kx); };
  auto mapY = [&](int y) { return target.top + RoundHalfEven(y * ky); };

  CanvasPen noPen;
  noPen.style = CanvasPen::Style::Clear;
  canvas.SetPen(noPen);
  for (const BarcodePictureFill& f : picture.fills) {
    canvas.SetBrush(CanvasBrush::SolidColor(f.color));
    if (f.axisAligned) {
      canvas.FillRect({mapX(f.box.left), mapY(f.box.top), mapX(f.box.right), mapY(f.box.bottom)});
    } else {
      CanvasPoint points[4];
      for (int i = 0; i < 4; ++i) points[i] = {mapX(f.corners[i].x), mapY(f.corners[i].y)};
      canvas.Polygon(points);
    }
  }

  CanvasFont font = picture.font;
  const double height = font.height * picture.scale;
  // No device shows glyphs beyond this size; the text is then left out.
  if (picture.texts.empty() || !(std::abs(height) < 1e5)) return;
  font.height = RoundHalfEven(height);
  if (font.height == 0) font.height = height < 0 ? -1 : 1;
  canvas.SetFont(font);
  std::vector<int> advances;
  for (const BarcodePictureText& t : picture.texts) {
    advances.assign(t.extents.size(), 0);
    int previous = 0;
    for (size_t i = 0; i < t.extents.size(); ++i) {
      const int edge = RoundHalfEven(t.extents[i] * picture.scale);
      advances[i] = edge - previous;
      previous = edge;
    }
    canvas.TextOut(mapX(t.at.x), mapY(t.at.y), t.text, advances);
  }
}

void PaintBarcode(TfrxBarcode& barcode, Canvas& canvas, const CanvasRect& target, bool showText) {
  const BarcodePicture picture = LayoutBarcode(barcode, canvas, target.Width(), target.Height(), showText);
  DrawBarcodePicture(picture, canvas, target);
}

}  // namespace quarlo
