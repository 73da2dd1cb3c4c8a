// Placeable Windows metafile records: libuemf reads the two headers and checks each
// record against the end of the data; parameters are read through a reader confined to
// the record. Most parameters are stored in reverse order (y before x, bottom first).

#include <uwmf.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "objects/metafile_device.h"
#include "objects/metafile_dib.h"
#include "objects/metafile_readers.h"
#include "platform/charset.h"
#include "platform/codepage.h"

namespace quarlo {

namespace {

// Record functions (the full 16-bit numbers).
enum : std::uint16_t {
  kEof = 0x0000,
  kSetBkColor = 0x0201,
  kSetBkMode = 0x0102,
  kSetMapMode = 0x0103,
  kSetRop2 = 0x0104,
  kSetPolyFillMode = 0x0106,
  kSetTextCharExtra = 0x0108,
  kSetTextColor = 0x0209,
  kSetWindowOrg = 0x020B,
  kSetWindowExt = 0x020C,
  kSetViewportOrg = 0x020D,
  kSetViewportExt = 0x020E,
  kOffsetWindowOrg = 0x020F,
  kScaleWindowExt = 0x0410,
  kOffsetViewportOrg = 0x0211,
  kScaleViewportExt = 0x0412,
  kLineTo = 0x0213,
  kMoveTo = 0x0214,
  kExcludeClipRect = 0x0415,
  kIntersectClipRect = 0x0416,
  kArc = 0x0817,
  kEllipse = 0x0418,
  kPie = 0x081A,
  kRectangle = 0x041B,
  kRoundRect = 0x061C,
  kPatBlt = 0x061D,
  kSaveDc = 0x001E,
  kSetPixel = 0x041F,
  kOffsetClipRgn = 0x0220,
  kTextOut = 0x0521,
  kPolygon = 0x0324,
  kPolyline = 0x0325,
  kRestoreDc = 0x0127,
  kFillRegion = 0x0228,
  kPaintRegion = 0x012B,
  kSelectClipRegion = 0x012C,
  kSelectObject = 0x012D,
  kSetTextAlign = 0x012E,
  kChord = 0x0830,
  kExtTextOut = 0x0A32,
  kSetDibToDev = 0x0D33,
  kPolyPolygon = 0x0538,
  kDibBitBlt = 0x0940,
  kDibStretchBlt = 0x0B41,
  kDibCreatePatternBrush = 0x0142,
  kStretchDib = 0x0F43,
  kDeleteObject = 0x01F0,
  kCreatePalette = 0x00F7,
  kCreatePatternBrush = 0x01F9,
  kCreatePenIndirect = 0x02FA,
  kCreateFontIndirect = 0x02FB,
  kCreateBrushIndirect = 0x02FC,
  kCreateBitmapIndirect = 0x02FD,
  kCreateBitmap = 0x06FE,
  kCreateRegion = 0x06FF,
};

double S(RecordReader& r, std::size_t at) { return r.I16(at); }
// A (y, x) pair.
MfPoint YX(RecordReader& r, std::size_t at) { return {S(r, at + 2), S(r, at)}; }
// A (bottom, right, top, left) rectangle.
MfBox BRTL(RecordReader& r, std::size_t at) { return {S(r, at + 6), S(r, at + 4), S(r, at + 2), S(r, at)}; }

bool Points16(RecordReader& r, std::size_t at, std::uint64_t count, std::vector<MfPoint>& out) {
  if (!r.Has(at, 0) || count > (r.Size() - at) / 4) return false;
  out.clear();
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::size_t p = at + static_cast<std::size_t>(i) * 4;
    out.push_back({S(r, p), S(r, p + 2)});
  }
  return true;
}

class WmfPlayer {
 public:
  explicit WmfPlayer(MetafileDevice& device) : dev_(device) {}
  bool Play(RecordReader& r, std::uint16_t function);

 private:
  bool Text(RecordReader& r, bool extended);
  bool DibBlit(RecordReader& r, std::uint16_t function);
  void CreateOther() {
    MfObject o;
    o.kind = MfObject::Other;
    dev_.CreateObjectInFreeSlot(std::move(o));
  }

  MetafileDevice& dev_;
};

bool WmfPlayer::Text(RecordReader& r, bool extended) {
  MfPoint at;
  std::size_t count, stringAt;
  unsigned options = 0;
  std::optional<MfBox> rect;
  if (extended) {
    at = YX(r, 6);
    count = r.U16(10);
    options = r.U16(12);
    stringAt = 14;
    if (options & (U_ETO_OPAQUE | U_ETO_CLIPPED)) {
      rect = MfBox{S(r, 14), S(r, 16), S(r, 18), S(r, 20)};
      stringAt = 22;
    }
  } else {
    count = r.U16(6);
    stringAt = 8;
    at = YX(r, stringAt + (count + 1) / 2 * 2);
  }
  const std::string_view bytes = r.Bytes(stringAt, count);
  if (!r.Ok()) return false;
  std::vector<double> advances;
  const std::size_t dxAt = stringAt + (count + 1) / 2 * 2;
  if (extended && r.Has(dxAt, count * 2))
    for (std::size_t i = 0; i < count; ++i) advances.push_back(S(r, dxAt + i * 2));
  std::u16string text = AnsiToWide(bytes, dev_.FontCharset());
  // Double-byte text has one advance per byte; the first of each pair carries the sum.
  if (text.size() != count && !advances.empty()) {
    std::vector<double> merged;
    std::size_t byte = 0;
    for (char16_t c : text) {
      const std::size_t width = std::string_view(WideToAnsi(std::u16string(1, c), dev_.FontCharset())).size();
      double sum = 0;
      for (std::size_t k = 0; k < std::max<std::size_t>(1, width) && byte < advances.size(); ++k) sum += advances[byte++];
      merged.push_back(sum);
    }
    advances = std::move(merged);
  }
  dev_.Text(at, text, advances, options, rect);
  return true;
}

bool WmfPlayer::DibBlit(RecordReader& r, std::uint16_t function) {
  // Without a bitmap the record is 3 words longer than its function's high byte says.
  const bool noBitmap = r.Size() / 2 == static_cast<std::size_t>((function >> 8) + 3);
  std::uint32_t rop = r.U32(6);
  MfPoint dest, destSize, src, srcSize;
  std::size_t dibAt = 0;
  bool bottomUp = false;
  switch (function) {
    case kDibBitBlt: {
      src = YX(r, 10);
      const std::size_t p = noBitmap ? 16 : 14;
      destSize = YX(r, p);
      dest = YX(r, p + 4);
      srcSize = destSize;
      dibAt = p + 8;
      break;
    }
    case kDibStretchBlt: {
      srcSize = YX(r, 10);
      src = YX(r, 14);
      const std::size_t p = noBitmap ? 20 : 18;
      destSize = YX(r, p);
      dest = YX(r, p + 4);
      dibAt = p + 8;
      break;
    }
    case kStretchDib:
      srcSize = YX(r, 12);
      src = YX(r, 16);
      destSize = YX(r, 20);
      dest = YX(r, 24);
      dibAt = 28;
      bottomUp = true;
      break;
    case kSetDibToDev:
      rop = kRopSrcCopy;
      src = YX(r, 12);
      srcSize = destSize = YX(r, 16);
      dest = YX(r, 20);
      dibAt = 24;
      bottomUp = true;
      break;
    default: return true;
  }
  if (!r.Ok()) return false;
  std::optional<CanvasImage> image;
  if (!noBitmap && dibAt < r.Size()) {
    image = DecodePackedDib(r.Record().substr(dibAt));
    if (!image) return false;
  }
  MfBox source{src.x, src.y, src.x + srcSize.x, src.y + srcSize.y};
  if (image && bottomUp && r.I32(dibAt + 8) > 0) {
    const double top = image->height - src.y - srcSize.y;
    source = {src.x, top, src.x + srcSize.x, top + srcSize.y};
  }
  dev_.Bitmap({dest.x, dest.y, dest.x + destSize.x, dest.y + destSize.y}, image ? &*image : nullptr, source, rop);
  return true;
}

bool WmfPlayer::Play(RecordReader& r, std::uint16_t function) {
  switch (function) {
    case kSetBkColor: dev_.SetBkColor(r.U32(6)); break;
    case kSetTextColor: dev_.SetTextColor(r.U32(6)); break;
    case kSetBkMode: dev_.SetBkMode(r.U16(6)); break;
    case kSetMapMode: dev_.SetMapMode(r.U16(6)); break;
    case kSetRop2: dev_.SetRop2(r.U16(6)); break;
    case kSetPolyFillMode: dev_.SetPolyFillMode(r.U16(6)); break;
    case kSetTextAlign: dev_.SetTextAlign(r.U16(6)); break;
    case kSetTextCharExtra: dev_.SetTextCharExtra(S(r, 6)); break;
    case kSetWindowOrg: { const MfPoint p = YX(r, 6); dev_.SetWindowOrg(p.x, p.y); break; }
    case kSetWindowExt: { const MfPoint p = YX(r, 6); dev_.SetWindowExt(p.x, p.y); break; }
    case kSetViewportOrg: { const MfPoint p = YX(r, 6); dev_.SetViewportOrg(p.x, p.y); break; }
    case kSetViewportExt: { const MfPoint p = YX(r, 6); dev_.SetViewportExt(p.x, p.y); break; }
    case kOffsetWindowOrg: { const MfPoint p = YX(r, 6); dev_.OffsetWindowOrg(p.x, p.y); break; }
    case kOffsetViewportOrg: { const MfPoint p = YX(r, 6); dev_.OffsetViewportOrg(p.x, p.y); break; }
    case kScaleWindowExt: dev_.ScaleWindowExt(S(r, 12), S(r, 10), S(r, 8), S(r, 6)); break;
    case kScaleViewportExt: dev_.ScaleViewportExt(S(r, 12), S(r, 10), S(r, 8), S(r, 6)); break;
    case kLineTo: dev_.LineTo(YX(r, 6)); break;
    case kMoveTo: dev_.MoveTo(YX(r, 6)); break;
    case kExcludeClipRect: dev_.ExcludeClipRect(BRTL(r, 6)); break;
    case kIntersectClipRect: dev_.IntersectClipRect(BRTL(r, 6)); break;
    case kArc: dev_.Arc(MetafileDevice::ArcKind::Arc, BRTL(r, 14), YX(r, 10), YX(r, 6)); break;
    case kChord: dev_.Arc(MetafileDevice::ArcKind::Chord, BRTL(r, 14), YX(r, 10), YX(r, 6)); break;
    case kPie: dev_.Arc(MetafileDevice::ArcKind::Pie, BRTL(r, 14), YX(r, 10), YX(r, 6)); break;
    case kEllipse: dev_.Ellipse(BRTL(r, 6)); break;
    case kRectangle: dev_.Rectangle(BRTL(r, 6)); break;
    case kRoundRect: dev_.RoundRect(BRTL(r, 10), S(r, 8), S(r, 6)); break;
    case kPatBlt: {
      const MfPoint size = YX(r, 10), at = YX(r, 14);
      dev_.FillBox({at.x, at.y, at.x + size.x, at.y + size.y}, r.U32(6));
      break;
    }
    case kSaveDc: dev_.SaveDC(); break;
    case kRestoreDc: dev_.RestoreDC(r.I16(6)); break;
    case kSetPixel: dev_.SetPixel(YX(r, 10), r.U32(6)); break;
    case kOffsetClipRgn: { const MfPoint p = YX(r, 6); dev_.OffsetClip(p.x, p.y); break; }
    case kTextOut: return Text(r, false);
    case kExtTextOut: return Text(r, true);
    case kPolygon:
    case kPolyline: {
      std::vector<MfPoint> pts;
      if (!Points16(r, 8, r.U16(6), pts)) return false;
      if (function == kPolygon) dev_.Polygon(pts);
      else dev_.Polyline(pts);
      break;
    }
    case kPolyPolygon: {
      const std::size_t polys = r.U16(6);
      if (!r.Has(8, polys * 2)) return false;
      std::uint64_t total = 0;
      for (std::size_t i = 0; i < polys; ++i) total += r.U16(8 + i * 2);
      std::vector<MfPoint> all;
      if (!Points16(r, 8 + polys * 2, total, all)) return false;
      std::vector<std::vector<MfPoint>> figures;
      std::size_t used = 0;
      for (std::size_t i = 0; i < polys; ++i) {
        const std::size_t n = r.U16(8 + i * 2);
        figures.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(used), all.begin() + static_cast<std::ptrdiff_t>(used + n));
        used += n;
      }
      dev_.PolyPolygon(figures);
      break;
    }
    case kSelectObject: dev_.SelectObject(r.U16(6)); break;
    case kSelectClipRegion: {
      const MfObject* o = dev_.Object(r.U16(6));
      if (o && o->kind == MfObject::Region) dev_.SelectClipRegion(o->region, kRgnCopy, false);
      else if (!o) dev_.SelectClipRegion({}, kRgnCopy, false);
      break;
    }
    case kFillRegion:
    case kPaintRegion: {
      const MfObject* region = dev_.Object(r.U16(6));
      const MfObject* brush = function == kFillRegion ? dev_.Object(r.U16(8)) : nullptr;
      if (!region || region->kind != MfObject::Region) break;
      if (brush && brush->kind == MfObject::Brush) dev_.FillRegion(region->region, false, brush->brush);
      break;
    }
    case kDeleteObject: dev_.DeleteObject(r.U16(6)); break;
    case kCreatePenIndirect: {
      MfObject o;
      o.kind = MfObject::Pen;
      o.pen.style = r.U16(6);
      o.pen.width = S(r, 8);
      o.pen.color = r.U32(12);
      if (!r.Ok()) return false;
      dev_.CreateObjectInFreeSlot(std::move(o));
      break;
    }
    case kCreateBrushIndirect: {
      MfObject o;
      o.kind = MfObject::Brush;
      const std::uint16_t style = r.U16(6);
      o.brush.color = r.U32(8);
      o.brush.hatch = std::min<int>(r.U16(12), 5);
      o.brush.kind = style == U_BS_NULL ? MfBrush::Null : style == U_BS_HATCHED ? MfBrush::Hatched : MfBrush::Solid;
      if (!r.Ok()) return false;
      dev_.CreateObjectInFreeSlot(std::move(o));
      break;
    }
    case kDibCreatePatternBrush: {
      MfObject o;
      o.kind = MfObject::Brush;
      o.brush.kind = MfBrush::Pattern;
      const auto image = r.Size() > 10 ? DecodePackedDib(r.Record().substr(10)) : std::nullopt;
      o.brush.color = image ? AverageColor(*image) : 0x808080;
      dev_.CreateObjectInFreeSlot(std::move(o));
      break;
    }
    case kCreatePatternBrush: {
      MfObject o;
      o.kind = MfObject::Brush;
      o.brush.kind = MfBrush::Pattern;
      o.brush.color = 0x808080;
      dev_.CreateObjectInFreeSlot(std::move(o));
      break;
    }
    case kCreateFontIndirect: {
      MfObject o;
      o.kind = MfObject::Font;
      o.font.height = S(r, 6);
      o.font.escapement = r.I16(10);
      o.font.weight = r.I16(14);
      o.font.italic = r.U8(16) != 0;
      o.font.underline = r.U8(17) != 0;
      o.font.strikeOut = r.U8(18) != 0;
      o.font.charset = r.U8(19);
      if (!r.Ok()) return false;
      std::string_view face = r.Record().substr(std::min<std::size_t>(24, r.Size()));
      face = face.substr(0, std::min<std::size_t>({face.size(), 32, face.find('\0')}));
      if (!face.empty()) o.font.face = WideToUtf8(AnsiToWide(face, o.font.charset));
      dev_.CreateObjectInFreeSlot(std::move(o));
      break;
    }
    case kCreateRegion: {
      MfObject o;
      o.kind = MfObject::Region;
      // The region's scans are summed up by its bounding rectangle.
      const MfBox box{S(r, 16), S(r, 18), S(r, 20), S(r, 22)};
      if (r.Ok()) o.region.push_back(box);
      dev_.CreateObjectInFreeSlot(std::move(o));
      break;
    }
    case kCreatePalette:
    case kCreateBitmapIndirect:
    case kCreateBitmap: CreateOther(); break;
    case kDibBitBlt:
    case kDibStretchBlt:
    case kStretchDib:
    case kSetDibToDev: return DibBlit(r, function);
    default: break;
  }
  return r.Ok();
}

}  // namespace

MetafilePlayResult PlayPlaceableMetafile(Canvas& canvas, const CanvasRect& target, std::string_view bytes,
                                         const MetafilePlayOptions& options) {
  MetafilePlayResult result;
  // The header reader refuses files shorter than a few records even when their headers
  // are whole; it gets zeros after the end to look at. Records are read up to the end.
  constexpr std::size_t kHeaderView = 64;
  std::vector<char> copy(bytes.begin(), bytes.end());
  copy.resize(std::max(bytes.size(), kHeaderView) + 8, 0);
  const char* data = copy.data();
  const char* end = data + bytes.size();
  U_WMRPLACEABLE placeable{};
  U_WMRHEADER header{};
  const int headerSize =
      bytes.size() >= 40 ? wmfheader_get(data, data + std::max(bytes.size(), kHeaderView), &placeable, &header) : 0;
  if (headerSize <= 0 || placeable.Key != 0x9AC6CDD7u) {
    result.error = "Windows metafile header is not valid";
    return result;
  }
  const MfBox box{double(placeable.Dst.left), double(placeable.Dst.top), double(placeable.Dst.right),
                  double(placeable.Dst.bottom)};
  if (box.right == box.left || box.bottom == box.top) {
    result.error = "Windows metafile has no size";
    return result;
  }
  const double inch = placeable.Inch ? placeable.Inch : 1440;
  MetafileDevice device(canvas, target, box, inch / 25.4, inch / 25.4, options);
  device.SetInitialWindow(box);
  device.SetTableSize(header.nObjects);
  WmfPlayer player(device);
  std::size_t at = static_cast<std::size_t>(headerSize);
  while (at + 6 <= bytes.size() && result.records < kMaxMetafileRecords) {
    const std::size_t size = U_WMRRECSAFE_get(data + at, end);
    RecordReader head(std::string_view(data + at, 6));
    const std::uint64_t words = head.U32(0);
    if (size == 0) {
      ++result.skippedRecords;
      // A record that does not fit ends the file; one that fits but is malformed is passed over.
      if (words < 3 || words * 2 > bytes.size() - at) break;
      at += static_cast<std::size_t>(words * 2);
      continue;
    }
    ++result.records;
    RecordReader record(std::string_view(data + at, size));
    const std::uint16_t function = head.U16(4);
    at += size;
    if (function == kEof) break;
    if (!player.Play(record, function)) ++result.skippedRecords;
  }
  result.played = true;
  return result;
}

}  // namespace quarlo
