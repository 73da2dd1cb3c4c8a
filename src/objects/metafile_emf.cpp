// Enhanced metafile records: each is checked by libuemf (its size, and its counts and
// offsets against that size) before it is decoded; fields are read through a reader
// confined to the record.

#include <uemf.h>
#include <uemf_safe.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

#include "objects/metafile_device.h"
#include "objects/metafile_dib.h"
#include "objects/metafile_readers.h"
#include "platform/charset.h"
#include "platform/codepage.h"

namespace quarlo {

namespace {

MfPoint PointAt(RecordReader& r, std::size_t at) { return {double(r.I32(at)), double(r.I32(at + 4))}; }
MfBox BoxAt(RecordReader& r, std::size_t at) {
  return {double(r.I32(at)), double(r.I32(at + 4)), double(r.I32(at + 8)), double(r.I32(at + 12))};
}
MfXform XformAt(RecordReader& r, std::size_t at) {
  return {r.F32(at), r.F32(at + 4), r.F32(at + 8), r.F32(at + 12), r.F32(at + 16), r.F32(at + 20)};
}

// `count` points of 32 or 16 bits from `at`, when they fit the record.
bool PointsAt(RecordReader& r, std::size_t at, std::uint64_t count, bool small, std::vector<MfPoint>& out) {
  const std::uint64_t size = small ? 4 : 8;
  if (!r.Has(at, 0) || count > (r.Size() - at) / size) return false;
  out.clear();
  out.reserve(static_cast<std::size_t>(count));
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::size_t p = at + static_cast<std::size_t>(i * size);
    out.push_back(small ? MfPoint{double(r.I16(p)), double(r.I16(p + 2))} : PointAt(r, p));
  }
  return true;
}

// Rectangles of a region data block (32-byte header, then the rectangles).
std::vector<MfBox> RegionRects(RecordReader& r, std::size_t at, std::uint32_t size) {
  std::vector<MfBox> rects;
  if (size < 32 || !r.Has(at, size)) return rects;
  const std::uint64_t count = std::min<std::uint64_t>(r.U32(at + 8), (size - 32) / 16);
  for (std::uint64_t i = 0; i < count; ++i) rects.push_back(BoxAt(r, at + 32 + static_cast<std::size_t>(i) * 16));
  return rects;
}

std::u16string Utf16At(RecordReader& r, std::size_t at, std::uint64_t count) {
  std::u16string s;
  if (!r.Has(at, 0) || count > (r.Size() - at) / 2) return s;
  s.reserve(static_cast<std::size_t>(count));
  for (std::uint64_t i = 0; i < count; ++i) s.push_back(static_cast<char16_t>(r.U16(at + static_cast<std::size_t>(i) * 2)));
  return s;
}

class EmfPlayer {
 public:
  EmfPlayer(MetafileDevice& device) : dev_(device) {}
  // False when the record could not be decoded.
  bool Play(RecordReader& r, std::uint32_t type);
  // Whether Play does anything with records of this type.
  static bool Decodes(std::uint32_t type);

 private:
  bool Poly(RecordReader& r, std::uint32_t type);
  bool PolyPoly(RecordReader& r, std::uint32_t type);
  bool PolyDraw(RecordReader& r, bool small);
  bool CreatePen(RecordReader& r);
  bool ExtCreatePen(RecordReader& r);
  bool CreateBrush(RecordReader& r);
  bool CreatePatternBrush(RecordReader& r);
  bool CreateFont(RecordReader& r);
  bool ExtTextOut(RecordReader& r, bool wide);
  bool SmallTextOut(RecordReader& r);
  bool Blit(RecordReader& r, std::uint32_t type);

  MetafileDevice& dev_;
};

bool EmfPlayer::Poly(RecordReader& r, std::uint32_t type) {
  const bool small = type >= U_EMR_POLYBEZIER16 && type <= U_EMR_POLYLINETO16;
  std::vector<MfPoint> pts;
  if (!PointsAt(r, 28, r.U32(24), small, pts)) return false;
  const std::uint32_t base = small ? type - U_EMR_POLYBEZIER16 + U_EMR_POLYBEZIER : type;
  switch (base) {
    case U_EMR_POLYBEZIER: dev_.PolyBezier(pts, false); break;
    case U_EMR_POLYGON: dev_.Polygon(pts); break;
    case U_EMR_POLYLINE: dev_.Polyline(pts); break;
    case U_EMR_POLYBEZIERTO: dev_.PolyBezier(pts, true); break;
    case U_EMR_POLYLINETO: dev_.PolylineTo(pts); break;
    default: break;
  }
  return true;
}

bool EmfPlayer::PolyPoly(RecordReader& r, std::uint32_t type) {
  const bool small = type == U_EMR_POLYPOLYLINE16 || type == U_EMR_POLYPOLYGON16;
  const std::uint64_t polys = r.U32(24), total = r.U32(28);
  if (polys > (r.Size() - 32) / 4) return false;
  const std::size_t pointsAt = 32 + static_cast<std::size_t>(polys) * 4;
  std::vector<MfPoint> all;
  if (!PointsAt(r, pointsAt, total, small, all)) return false;
  std::vector<std::vector<MfPoint>> figures;
  std::uint64_t used = 0;
  for (std::uint64_t i = 0; i < polys; ++i) {
    const std::uint64_t n = r.U32(32 + static_cast<std::size_t>(i) * 4);
    if (n > total - used) return false;
    figures.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(used), all.begin() + static_cast<std::ptrdiff_t>(used + n));
    used += n;
  }
  if (type == U_EMR_POLYPOLYGON || type == U_EMR_POLYPOLYGON16) dev_.PolyPolygon(figures);
  else dev_.PolyPolyline(figures);
  return true;
}

// Points with a type byte each: move, line, Bezier (three points) or any of them closing
// the figure.
bool EmfPlayer::PolyDraw(RecordReader& r, bool small) {
  const std::uint64_t count = r.U32(24);
  std::vector<MfPoint> pts;
  if (!PointsAt(r, 28, count, small, pts)) return false;
  const std::size_t typesAt = 28 + pts.size() * (small ? 4 : 8);
  if (!r.Has(typesAt, pts.size())) return false;
  MfPoint start;
  for (std::size_t i = 0; i < pts.size(); ++i) {
    const std::uint8_t type = r.U8(typesAt + i);
    switch (type & 0x06) {
      case 0x06:
        dev_.MoveTo(pts[i]);
        start = pts[i];
        break;
      case 0x04:
        if (i + 2 >= pts.size()) return false;
        dev_.PolyBezier({pts[i], pts[i + 1], pts[i + 2]}, true);
        i += 2;
        break;
      default: dev_.LineTo(pts[i]); break;
    }
    if (r.U8(typesAt + i) & 0x01) {
      if (dev_.InPath()) dev_.CloseFigure();
      else dev_.LineTo(start);
    }
  }
  return true;
}

bool EmfPlayer::CreatePen(RecordReader& r) {
  MfObject o;
  o.kind = MfObject::Pen;
  o.pen.style = static_cast<int>(r.U32(12));
  o.pen.width = r.I32(16);
  o.pen.color = r.U32(24);
  if (!r.Ok()) return false;
  dev_.CreateObjectAt(r.U32(8), std::move(o));
  return true;
}

bool EmfPlayer::ExtCreatePen(RecordReader& r) {
  MfObject o;
  o.kind = MfObject::Pen;
  o.pen.style = static_cast<int>(r.U32(28));
  // Cosmetic pens are one device pixel whatever width they name.
  o.pen.width = (o.pen.style & 0xF0000) ? double(r.U32(32)) : 0.0;
  const std::uint32_t brushStyle = r.U32(36);
  o.pen.color = r.U32(40);
  if (brushStyle == U_BS_NULL) o.pen.style = (o.pen.style & ~0xF) | U_PS_NULL;
  const std::uint64_t entries = r.U32(48);
  if (!r.Ok() || entries > (r.Size() - std::min<std::size_t>(r.Size(), 52)) / 4) return false;
  for (std::uint64_t i = 0; i < entries && i < 64; ++i) o.pen.userDashes.push_back(r.U32(52 + static_cast<std::size_t>(i) * 4));
  dev_.CreateObjectAt(r.U32(8), std::move(o));
  return true;
}

bool EmfPlayer::CreateBrush(RecordReader& r) {
  MfObject o;
  o.kind = MfObject::Brush;
  const std::uint32_t style = r.U32(12);
  o.brush.color = r.U32(16);
  o.brush.hatch = static_cast<int>(std::min<std::uint32_t>(r.U32(20), 5));
  o.brush.kind = style == U_BS_NULL ? MfBrush::Null : style == U_BS_HATCHED ? MfBrush::Hatched : MfBrush::Solid;
  if (!r.Ok()) return false;
  dev_.CreateObjectAt(r.U32(8), std::move(o));
  return true;
}

bool EmfPlayer::CreatePatternBrush(RecordReader& r) {
  MfObject o;
  o.kind = MfObject::Brush;
  o.brush.kind = MfBrush::Pattern;
  // A pattern is drawn as its mean colour; the canvas brushes are solid or hatched.
  if (auto image = DecodeRecordDib(r.Record(), r.U32(16), r.U32(20), r.U32(24), r.U32(28)))
    o.brush.color = AverageColor(*image);
  else
    o.brush.color = 0x808080;
  dev_.CreateObjectAt(r.U32(8), std::move(o));
  return r.Ok();
}

bool EmfPlayer::CreateFont(RecordReader& r) {
  MfObject o;
  o.kind = MfObject::Font;
  o.font.height = r.I32(12);
  o.font.escapement = r.I32(20);
  o.font.weight = r.I32(28);
  o.font.italic = r.U8(32) != 0;
  o.font.underline = r.U8(33) != 0;
  o.font.strikeOut = r.U8(34) != 0;
  o.font.charset = r.U8(35);
  if (!r.Ok()) return false;
  std::u16string face = Utf16At(r, 40, std::min<std::size_t>(32, (r.Size() - std::min<std::size_t>(r.Size(), 40)) / 2));
  face = face.substr(0, face.find(u'\0'));
  if (!face.empty()) o.font.face = WideToUtf8(face);
  dev_.CreateObjectAt(r.U32(8), std::move(o));
  return true;
}

bool EmfPlayer::ExtTextOut(RecordReader& r, bool wide) {
  constexpr std::size_t kText = 36;  // the text block after bounds, mode and scales
  const MfPoint reference = PointAt(r, kText);
  const std::uint64_t chars = r.U32(kText + 8);
  const std::uint32_t offString = r.U32(kText + 12);
  const std::uint32_t options = r.U32(kText + 16);
  std::optional<MfBox> rect;
  std::size_t dxAt = kText + 20;
  if (!(options & U_ETO_NO_RECT)) {
    rect = BoxAt(r, kText + 20);
    dxAt += 16;
  }
  const std::uint32_t offDx = r.U32(dxAt);
  if (!r.Ok()) return false;
  if (options & U_ETO_GLYPH_INDEX) return true;  // glyph numbers of a font we do not have
  std::u16string text;
  if (wide) {
    if (offString > r.Size() || chars > (r.Size() - offString) / 2) return false;
    text = Utf16At(r, offString, chars);
  } else {
    const std::string_view bytes = r.Bytes(offString, static_cast<std::size_t>(std::min<std::uint64_t>(chars, r.Size())));
    if (!r.Ok()) return false;
    text = AnsiToWide(bytes, dev_.FontCharset());
  }
  std::vector<double> advances;
  const std::uint64_t step = (options & U_ETO_PDY) ? 8 : 4;
  if (offDx != 0 && offDx <= r.Size() && chars <= (r.Size() - offDx) / step) {
    for (std::uint64_t i = 0; i < chars && advances.size() < text.size(); ++i)
      advances.push_back(r.I32(offDx + static_cast<std::size_t>(i * step)));
  }
  advances.resize(std::min(advances.size(), text.size()));
  dev_.Text(reference, text, advances, options, rect);
  return true;
}

bool EmfPlayer::SmallTextOut(RecordReader& r) {
  const MfPoint reference = PointAt(r, 8);
  const std::uint64_t chars = r.U32(16);
  const std::uint32_t options = r.U32(20);
  std::size_t at = 36;
  std::optional<MfBox> rect;
  if (!(options & U_ETO_NO_RECT)) {
    rect = BoxAt(r, at);
    at += 16;
  }
  if (!r.Ok() || (options & U_ETO_GLYPH_INDEX)) return r.Ok();
  std::u16string text;
  if (options & U_ETO_SMALL_CHARS) {
    const std::string_view bytes = r.Bytes(at, static_cast<std::size_t>(std::min<std::uint64_t>(chars, r.Size())));
    if (!r.Ok()) return false;
    // Small characters are the low bytes of UTF-16 units.
    for (char c : bytes) text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  } else {
    if (at > r.Size() || chars > (r.Size() - at) / 2) return false;
    text = Utf16At(r, at, chars);
  }
  dev_.Text(reference, text, {}, options, rect);
  return true;
}

bool EmfPlayer::Blit(RecordReader& r, std::uint32_t type) {
  MfPoint dest, destSize, src, srcSize{-1, -1};
  std::uint32_t rop = kRopSrcCopy, offBmi = 0, cbBmi = 0, offBits = 0, cbBits = 0;
  bool bottomUpSource = false;
  TColor key = clTransparent;
  switch (type) {
    case U_EMR_BITBLT:
    case U_EMR_STRETCHBLT:
      dest = PointAt(r, offsetof(U_EMRBITBLT, Dest));
      destSize = PointAt(r, offsetof(U_EMRBITBLT, cDest));
      rop = r.U32(offsetof(U_EMRBITBLT, dwRop));
      src = PointAt(r, offsetof(U_EMRBITBLT, Src));
      offBmi = r.U32(offsetof(U_EMRBITBLT, offBmiSrc));
      cbBmi = r.U32(offsetof(U_EMRBITBLT, cbBmiSrc));
      offBits = r.U32(offsetof(U_EMRBITBLT, offBitsSrc));
      cbBits = r.U32(offsetof(U_EMRBITBLT, cbBitsSrc));
      srcSize = type == U_EMR_STRETCHBLT ? PointAt(r, offsetof(U_EMRSTRETCHBLT, cSrc)) : destSize;
      break;
    case U_EMR_STRETCHDIBITS:
      dest = PointAt(r, offsetof(U_EMRSTRETCHDIBITS, Dest));
      src = PointAt(r, offsetof(U_EMRSTRETCHDIBITS, Src));
      srcSize = PointAt(r, offsetof(U_EMRSTRETCHDIBITS, cSrc));
      offBmi = r.U32(offsetof(U_EMRSTRETCHDIBITS, offBmiSrc));
      cbBmi = r.U32(offsetof(U_EMRSTRETCHDIBITS, cbBmiSrc));
      offBits = r.U32(offsetof(U_EMRSTRETCHDIBITS, offBitsSrc));
      cbBits = r.U32(offsetof(U_EMRSTRETCHDIBITS, cbBitsSrc));
      rop = r.U32(offsetof(U_EMRSTRETCHDIBITS, dwRop));
      destSize = PointAt(r, offsetof(U_EMRSTRETCHDIBITS, cDest));
      bottomUpSource = true;
      break;
    case U_EMR_ALPHABLEND:
    case U_EMR_TRANSPARENTBLT:
      // Laid out like a stretched blit, with the blend or the transparent colour in place
      // of the raster operation. Per-pixel alpha is not blended: fully transparent
      // (black, premultiplied) pixels are left out.
      dest = PointAt(r, offsetof(U_EMRALPHABLEND, Dest));
      destSize = PointAt(r, offsetof(U_EMRALPHABLEND, cDest));
      src = PointAt(r, offsetof(U_EMRALPHABLEND, Src));
      srcSize = PointAt(r, offsetof(U_EMRALPHABLEND, cSrc));
      offBmi = r.U32(offsetof(U_EMRALPHABLEND, offBmiSrc));
      cbBmi = r.U32(offsetof(U_EMRALPHABLEND, cbBmiSrc));
      offBits = r.U32(offsetof(U_EMRALPHABLEND, offBitsSrc));
      cbBits = r.U32(offsetof(U_EMRALPHABLEND, cbBitsSrc));
      if (type == U_EMR_TRANSPARENTBLT) key = r.U32(offsetof(U_EMRTRANSPARENTBLT, TColor)) & 0xFFFFFF;
      else if (r.U8(offsetof(U_EMRALPHABLEND, Blend) + 3) & 1) key = 0;
      break;
    case U_EMR_SETDIBITSTODEVICE:
      dest = PointAt(r, offsetof(U_EMRSETDIBITSTODEVICE, Dest));
      src = PointAt(r, offsetof(U_EMRSETDIBITSTODEVICE, Src));
      srcSize = destSize = PointAt(r, offsetof(U_EMRSETDIBITSTODEVICE, cSrc));
      offBmi = r.U32(offsetof(U_EMRSETDIBITSTODEVICE, offBmiSrc));
      cbBmi = r.U32(offsetof(U_EMRSETDIBITSTODEVICE, cbBmiSrc));
      offBits = r.U32(offsetof(U_EMRSETDIBITSTODEVICE, offBitsSrc));
      cbBits = r.U32(offsetof(U_EMRSETDIBITSTODEVICE, cbBitsSrc));
      bottomUpSource = true;
      break;
    default: return true;
  }
  if (!r.Ok()) return false;
  std::optional<CanvasImage> image;
  if (cbBmi != 0) {
    image = DecodeRecordDib(r.Record(), offBmi, cbBmi, offBits, cbBits);
    if (!image) return false;
  }
  MfBox source{src.x, src.y, src.x + srcSize.x, src.y + srcSize.y};
  if (image && bottomUpSource && r.I32(offBmi + 8) > 0) {
    // The source origin of these records counts rows from the bottom of a bottom-up DIB.
    const double top = image->height - src.y - srcSize.y;
    source = {src.x, top, src.x + srcSize.x, top + srcSize.y};
  }
  dev_.Bitmap({dest.x, dest.y, dest.x + destSize.x, dest.y + destSize.y}, image ? &*image : nullptr, source, rop,
              key);
  return true;
}

bool EmfPlayer::Decodes(std::uint32_t type) {
  switch (type) {
    case U_EMR_POLYBEZIER:
    case U_EMR_POLYGON:
    case U_EMR_POLYLINE:
    case U_EMR_POLYBEZIERTO:
    case U_EMR_POLYLINETO:
    case U_EMR_POLYBEZIER16:
    case U_EMR_POLYGON16:
    case U_EMR_POLYLINE16:
    case U_EMR_POLYBEZIERTO16:
    case U_EMR_POLYLINETO16:
    case U_EMR_POLYPOLYLINE:
    case U_EMR_POLYPOLYGON:
    case U_EMR_POLYPOLYLINE16:
    case U_EMR_POLYPOLYGON16:
    case U_EMR_SETWINDOWEXTEX:
    case U_EMR_SETWINDOWORGEX:
    case U_EMR_SETVIEWPORTEXTEX:
    case U_EMR_SETVIEWPORTORGEX:
    case U_EMR_SETPIXELV:
    case U_EMR_SETMAPMODE:
    case U_EMR_SETBKMODE:
    case U_EMR_SETPOLYFILLMODE:
    case U_EMR_SETROP2:
    case U_EMR_SETTEXTALIGN:
    case U_EMR_SETTEXTCOLOR:
    case U_EMR_SETBKCOLOR:
    case U_EMR_OFFSETCLIPRGN:
    case U_EMR_MOVETOEX:
    case U_EMR_EXCLUDECLIPRECT:
    case U_EMR_INTERSECTCLIPRECT:
    case U_EMR_SCALEVIEWPORTEXTEX:
    case U_EMR_SCALEWINDOWEXTEX:
    case U_EMR_SAVEDC:
    case U_EMR_RESTOREDC:
    case U_EMR_SETWORLDTRANSFORM:
    case U_EMR_MODIFYWORLDTRANSFORM:
    case U_EMR_SELECTOBJECT:
    case U_EMR_CREATEPEN:
    case U_EMR_EXTCREATEPEN:
    case U_EMR_CREATEBRUSHINDIRECT:
    case U_EMR_CREATEDIBPATTERNBRUSHPT:
    case U_EMR_CREATEMONOBRUSH:
    case U_EMR_EXTCREATEFONTINDIRECTW:
    case U_EMR_DELETEOBJECT:
    case U_EMR_ANGLEARC:
    case U_EMR_ELLIPSE:
    case U_EMR_RECTANGLE:
    case U_EMR_ROUNDRECT:
    case U_EMR_ARC:
    case U_EMR_ARCTO:
    case U_EMR_CHORD:
    case U_EMR_PIE:
    case U_EMR_LINETO:
    case U_EMR_SETARCDIRECTION:
    case U_EMR_BEGINPATH:
    case U_EMR_ENDPATH:
    case U_EMR_CLOSEFIGURE:
    case U_EMR_FILLPATH:
    case U_EMR_STROKEANDFILLPATH:
    case U_EMR_STROKEPATH:
    case U_EMR_SELECTCLIPPATH:
    case U_EMR_ABORTPATH:
    case U_EMR_FILLRGN:
    case U_EMR_EXTSELECTCLIPRGN:
    case U_EMR_BITBLT:
    case U_EMR_STRETCHBLT:
    case U_EMR_STRETCHDIBITS:
    case U_EMR_SETDIBITSTODEVICE:
    case U_EMR_EXTTEXTOUTA:
    case U_EMR_EXTTEXTOUTW:
    case U_EMR_SMALLTEXTOUT:
    case U_EMR_POLYDRAW:
    case U_EMR_POLYDRAW16:
    case U_EMR_ALPHABLEND:
    case U_EMR_TRANSPARENTBLT:
      return true;
    default:
      return false;
  }
}

bool EmfPlayer::Play(RecordReader& r, std::uint32_t type) {
  switch (type) {
    case U_EMR_POLYBEZIER:
    case U_EMR_POLYGON:
    case U_EMR_POLYLINE:
    case U_EMR_POLYBEZIERTO:
    case U_EMR_POLYLINETO:
    case U_EMR_POLYBEZIER16:
    case U_EMR_POLYGON16:
    case U_EMR_POLYLINE16:
    case U_EMR_POLYBEZIERTO16:
    case U_EMR_POLYLINETO16: return Poly(r, type);
    case U_EMR_POLYPOLYLINE:
    case U_EMR_POLYPOLYGON:
    case U_EMR_POLYPOLYLINE16:
    case U_EMR_POLYPOLYGON16: return PolyPoly(r, type);
    case U_EMR_POLYDRAW: return PolyDraw(r, false);
    case U_EMR_POLYDRAW16: return PolyDraw(r, true);
    case U_EMR_SETWINDOWEXTEX: dev_.SetWindowExt(r.I32(8), r.I32(12)); break;
    case U_EMR_SETWINDOWORGEX: dev_.SetWindowOrg(r.I32(8), r.I32(12)); break;
    case U_EMR_SETVIEWPORTEXTEX: dev_.SetViewportExt(r.I32(8), r.I32(12)); break;
    case U_EMR_SETVIEWPORTORGEX: dev_.SetViewportOrg(r.I32(8), r.I32(12)); break;
    case U_EMR_SETPIXELV: dev_.SetPixel(PointAt(r, 8), r.U32(16)); break;
    case U_EMR_SETMAPMODE: dev_.SetMapMode(static_cast<int>(r.U32(8))); break;
    case U_EMR_SETBKMODE: dev_.SetBkMode(static_cast<int>(r.U32(8))); break;
    case U_EMR_SETPOLYFILLMODE: dev_.SetPolyFillMode(static_cast<int>(r.U32(8))); break;
    case U_EMR_SETROP2: dev_.SetRop2(static_cast<int>(r.U32(8))); break;
    case U_EMR_SETTEXTALIGN: dev_.SetTextAlign(r.U32(8)); break;
    case U_EMR_SETTEXTCOLOR: dev_.SetTextColor(r.U32(8)); break;
    case U_EMR_SETBKCOLOR: dev_.SetBkColor(r.U32(8)); break;
    case U_EMR_OFFSETCLIPRGN: dev_.OffsetClip(r.I32(8), r.I32(12)); break;
    case U_EMR_MOVETOEX: dev_.MoveTo(PointAt(r, 8)); break;
    case U_EMR_EXCLUDECLIPRECT: dev_.ExcludeClipRect(BoxAt(r, 8)); break;
    case U_EMR_INTERSECTCLIPRECT: dev_.IntersectClipRect(BoxAt(r, 8)); break;
    case U_EMR_SCALEVIEWPORTEXTEX: dev_.ScaleViewportExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20)); break;
    case U_EMR_SCALEWINDOWEXTEX: dev_.ScaleWindowExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20)); break;
    case U_EMR_SAVEDC: dev_.SaveDC(); break;
    case U_EMR_RESTOREDC: dev_.RestoreDC(r.I32(8)); break;
    case U_EMR_SETWORLDTRANSFORM: dev_.SetWorldTransform(XformAt(r, 8)); break;
    case U_EMR_MODIFYWORLDTRANSFORM: dev_.ModifyWorldTransform(XformAt(r, 8), static_cast<int>(r.U32(32))); break;
    case U_EMR_SELECTOBJECT: dev_.SelectObject(r.U32(8)); break;
    case U_EMR_CREATEPEN: return CreatePen(r);
    case U_EMR_EXTCREATEPEN: return ExtCreatePen(r);
    case U_EMR_CREATEBRUSHINDIRECT: return CreateBrush(r);
    case U_EMR_CREATEDIBPATTERNBRUSHPT:
    case U_EMR_CREATEMONOBRUSH: return CreatePatternBrush(r);
    case U_EMR_EXTCREATEFONTINDIRECTW: return CreateFont(r);
    case U_EMR_DELETEOBJECT: dev_.DeleteObject(r.U32(8)); break;
    case U_EMR_ANGLEARC: dev_.AngleArc(PointAt(r, 8), r.U32(16), r.F32(20), r.F32(24)); break;
    case U_EMR_ELLIPSE: dev_.Ellipse(BoxAt(r, 8)); break;
    case U_EMR_RECTANGLE: dev_.Rectangle(BoxAt(r, 8)); break;
    case U_EMR_ROUNDRECT: dev_.RoundRect(BoxAt(r, 8), r.I32(24), r.I32(28)); break;
    case U_EMR_ARC: dev_.Arc(MetafileDevice::ArcKind::Arc, BoxAt(r, 8), PointAt(r, 24), PointAt(r, 32)); break;
    case U_EMR_ARCTO: dev_.Arc(MetafileDevice::ArcKind::ArcTo, BoxAt(r, 8), PointAt(r, 24), PointAt(r, 32)); break;
    case U_EMR_CHORD: dev_.Arc(MetafileDevice::ArcKind::Chord, BoxAt(r, 8), PointAt(r, 24), PointAt(r, 32)); break;
    case U_EMR_PIE: dev_.Arc(MetafileDevice::ArcKind::Pie, BoxAt(r, 8), PointAt(r, 24), PointAt(r, 32)); break;
    case U_EMR_LINETO: dev_.LineTo(PointAt(r, 8)); break;
    case U_EMR_SETARCDIRECTION: dev_.SetArcDirection(static_cast<int>(r.U32(8))); break;
    case U_EMR_BEGINPATH: dev_.BeginPath(); break;
    case U_EMR_ENDPATH: dev_.EndPath(); break;
    case U_EMR_CLOSEFIGURE: dev_.CloseFigure(); break;
    case U_EMR_FILLPATH: dev_.FillPath(); break;
    case U_EMR_STROKEANDFILLPATH: dev_.StrokeAndFillPath(); break;
    case U_EMR_STROKEPATH: dev_.StrokePath(); break;
    case U_EMR_SELECTCLIPPATH: dev_.SelectClipPath(static_cast<int>(r.U32(8))); break;
    case U_EMR_ABORTPATH: dev_.AbortPath(); break;
    case U_EMR_FILLRGN: {
      const MfObject* brush = dev_.Object(r.U32(28));
      if (brush && brush->kind == MfObject::Brush) dev_.FillRegion(RegionRects(r, 32, r.U32(24)), true, brush->brush);
      break;
    }
    case U_EMR_EXTSELECTCLIPRGN:
      dev_.SelectClipRegion(RegionRects(r, 16, r.U32(8)), static_cast<int>(r.U32(12)), true);
      break;
    case U_EMR_BITBLT:
    case U_EMR_STRETCHBLT:
    case U_EMR_STRETCHDIBITS:
    case U_EMR_SETDIBITSTODEVICE:
    case U_EMR_ALPHABLEND:
    case U_EMR_TRANSPARENTBLT: return Blit(r, type);
    case U_EMR_EXTTEXTOUTA: return ExtTextOut(r, false);
    case U_EMR_EXTTEXTOUTW: return ExtTextOut(r, true);
    case U_EMR_SMALLTEXTOUT: return SmallTextOut(r);
    default: break;  // palettes, colour management, comments, escapes and the rest
  }
  return r.Ok();
}

}  // namespace

MetafilePlayResult PlayEnhancedMetafile(Canvas& canvas, const CanvasRect& target, std::string_view bytes,
                                        const MetafilePlayOptions& options) {
  MetafilePlayResult result;
  // libuemf reads records through aligned structures: give it a copy on a 4-byte boundary.
  std::vector<std::uint32_t> aligned((bytes.size() + 3) / 4 + 1, 0);
  std::memcpy(aligned.data(), bytes.data(), bytes.size());
  const char* data = reinterpret_cast<const char*>(aligned.data());
  const std::string_view all(data, bytes.size());

  RecordReader header(all.substr(0, std::min<std::size_t>(all.size(), RecordReader(all).U32(4))));
  if (header.U32(0) != U_EMR_HEADER || header.Size() < U_SIZE_EMRHEADER_MIN ||
      header.U32(offsetof(U_EMRHEADER, dSignature)) != U_ENHMETA_SIGNATURE) {
    result.error = "Enhanced metafile header is not valid";
    return result;
  }
  const MfBox bounds = BoxAt(header, offsetof(U_EMRHEADER, rclBounds));
  const MfBox frame = BoxAt(header, offsetof(U_EMRHEADER, rclFrame));
  const double devX = header.I32(offsetof(U_EMRHEADER, szlDevice)), devY = header.I32(offsetof(U_EMRHEADER, szlDevice) + 4);
  const double mmX = header.I32(offsetof(U_EMRHEADER, szlMillimeters)),
               mmY = header.I32(offsetof(U_EMRHEADER, szlMillimeters) + 4);
  double pxPerMmX = devX > 0 && mmX > 0 ? devX / mmX : 96 / 25.4;
  double pxPerMmY = devY > 0 && mmY > 0 ? devY / mmY : 96 / 25.4;
  // The frame (hundredths of a millimetre) in reference pixels fills the target; a file
  // without a usable frame falls back on its bounds.
  MfBox reference{frame.left * pxPerMmX / 100, frame.top * pxPerMmY / 100, frame.right * pxPerMmX / 100,
                  frame.bottom * pxPerMmY / 100};
  if (!(reference.right > reference.left) || !(reference.bottom > reference.top))
    reference = {bounds.left, bounds.top, bounds.right + 1, bounds.bottom + 1};
  if (!(reference.right > reference.left) || !(reference.bottom > reference.top)) {
    result.error = "Enhanced metafile has no size";
    return result;
  }

  MetafileDevice device(canvas, target, reference, pxPerMmX, pxPerMmY, options);
  device.SetTableSize(header.U16(offsetof(U_EMRHEADER, nHandles)));
  EmfPlayer player(device);
  std::size_t at = 0;
  while (at + 8 <= all.size() && result.records < kMaxMetafileRecords) {
    RecordReader head(all.substr(at, 8));
    const std::uint32_t type = head.U32(0), size = head.U32(4);
    if (size < 8 || size % 4 != 0 || size > all.size() - at) {
      ++result.skippedRecords;  // the rest cannot be found without a valid size
      break;
    }
    ++result.records;
    RecordReader record(all.substr(at, size));
    at += size;
    if (type == U_EMR_EOF) break;
    if (type == U_EMR_HEADER) continue;
    if (!EmfPlayer::Decodes(type)) continue;  // ignored, and not worth a check
    if (!U_emf_record_safe(record.Record().data()) || !player.Play(record, type)) ++result.skippedRecords;
  }
  result.played = true;
  return result;
}

}  // namespace quarlo
