#include "objects/picture_view_graphic.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "objects/prop_data.h"

namespace quarlo {

namespace {

std::uint32_t U8(std::string_view b, size_t i) { return static_cast<unsigned char>(b[i]); }
std::uint32_t LE16(std::string_view b, size_t i) { return U8(b, i) | (U8(b, i + 1) << 8); }
std::uint32_t LE32(std::string_view b, size_t i) { return LE16(b, i) | (LE16(b, i + 2) << 16); }
std::uint32_t BE16(std::string_view b, size_t i) { return (U8(b, i) << 8) | U8(b, i + 1); }
std::uint32_t BE32(std::string_view b, size_t i) { return (BE16(b, i) << 16) | BE16(b, i + 2); }
std::int32_t S32(std::string_view b, size_t i) { return static_cast<std::int32_t>(LE32(b, i)); }
std::int16_t S16(std::string_view b, size_t i) { return static_cast<std::int16_t>(LE16(b, i)); }

constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};

// Header sizes far beyond any printable picture are not believed.
constexpr long kMaxDimension = 1 << 20;
int Dimension(long v) {
  if (v < 0) v = -v;
  return v > kMaxDimension ? 0 : static_cast<int>(v);
}

struct Size {
  int width = 0, height = 0;
};

Size JpegSize(std::string_view b) {
  size_t i = 2;
  while (i + 4 <= b.size()) {
    if (U8(b, i) != 0xFF) return {};
    std::uint32_t marker = U8(b, i + 1);
    if (marker == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      i += 2;
      continue;
    }
    std::uint32_t length = BE16(b, i + 2);
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                       marker != 0xCC;
    if (frame) {
      if (i + 9 > b.size()) return {};
      return {Dimension(BE16(b, i + 7)), Dimension(BE16(b, i + 5))};
    }
    if (length < 2) return {};
    i += 2 + length;
  }
  return {};
}

Size HeaderSize(TGraphicKind kind, std::string_view b) {
  switch (kind) {
    case TGraphicKind::Bitmap:
      if (b.size() >= 26 && LE32(b, 14) >= 40) return {Dimension(S32(b, 18)), Dimension(S32(b, 22))};
      if (b.size() >= 22 && LE32(b, 14) == 12) return {Dimension(S16(b, 18)), Dimension(S16(b, 20))};
      return {};
    case TGraphicKind::Png:
      if (b.size() >= 24) {
        return {Dimension(static_cast<long>(BE32(b, 16))), Dimension(static_cast<long>(BE32(b, 20)))};
      }
      return {};
    case TGraphicKind::Jpeg:
      return JpegSize(b);
    case TGraphicKind::Icon: {
      if (b.size() < 8) return {};
      int w = static_cast<int>(U8(b, 6)), h = static_cast<int>(U8(b, 7));
      return {w == 0 ? 256 : w, h == 0 ? 256 : h};
    }
    case TGraphicKind::Metafile:
      if (b.size() >= 22 && LE32(b, 0) == 0x9AC6CDD7u) {
        // Placeable metafile: bounding box in units of 1/inch inch.
        int inch = static_cast<int>(LE16(b, 14));
        if (inch == 0) return {};
        long w = S16(b, 10) - S16(b, 6), h = S16(b, 12) - S16(b, 8);
        return {Dimension(std::lround(w * 96.0 / inch)), Dimension(std::lround(h * 96.0 / inch))};
      }
      if (b.size() >= 40) {
        // Enhanced metafile: the frame in hundredths of a millimetre.
        long w = static_cast<long>(S32(b, 32)) - S32(b, 24);
        long h = static_cast<long>(S32(b, 36)) - S32(b, 28);
        return {Dimension(std::lround(w * 96.0 / 2540.0)), Dimension(std::lround(h * 96.0 / 2540.0))};
      }
      return {};
    case TGraphicKind::None:
      break;
  }
  return {};
}

}  // namespace

TGraphicKind RecogniseGraphic(std::string_view b) {
  if (b.size() >= 14 && b[0] == 'B' && b[1] == 'M') return TGraphicKind::Bitmap;
  if (b.size() >= 2 && U8(b, 0) == 0xFF && U8(b, 1) == 0xD8) return TGraphicKind::Jpeg;
  if (b.size() >= 8 && b.substr(0, 8) == kPngSignature) return TGraphicKind::Png;
  if (b.size() >= 22 && LE32(b, 0) == 0x9AC6CDD7u) return TGraphicKind::Metafile;
  if (b.size() >= 100 && LE32(b, 40) == 0x464D4520u) return TGraphicKind::Metafile;
  if (b.size() >= 6 && LE16(b, 2) < 2) return TGraphicKind::Icon;
  return TGraphicKind::None;
}

std::string_view GraphicClassName(TGraphicKind kind) {
  switch (kind) {
    case TGraphicKind::Bitmap: return "TBitmap";
    case TGraphicKind::Jpeg: return "TJPEGImage";
    case TGraphicKind::Png: return "TPngObject";
    case TGraphicKind::Metafile: return "TMetafile";
    case TGraphicKind::Icon: return "TIcon";
    case TGraphicKind::None: break;
  }
  return {};
}

// ------------------------------------------------------------------ TPicture

const ClassInfo& TPicture::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TPicture, TPersistent).Build();
  return info;
}

TPicture::TPicture(const TPicture& other)
    : TPersistent(other),
      kind_(other.kind_),
      data_(other.data_),
      width_(other.width_),
      height_(other.height_),
      foreignData_(other.foreignData_) {}

TPicture& TPicture::operator=(const TPicture& other) {
  if (this == &other) return *this;
  kind_ = other.kind_;
  data_ = other.data_;
  width_ = other.width_;
  height_ = other.height_;
  foreignData_ = other.foreignData_;
  Changed();
  return *this;
}

bool TPicture::operator==(const TPicture& other) const {
  return kind_ == other.kind_ && data_ == other.data_ && foreignData_ == other.foreignData_;
}

void TPicture::Changed() {
  if (OnChange) OnChange();
}

bool TPicture::LoadFromData(std::string_view bytes) {
  if (bytes.size() > 7 && LE16(bytes, 0) == 1 && LE16(bytes, 2) == 256 &&
      LE32(bytes, 4) == bytes.size() - 8) {
    bytes.remove_prefix(8);
  }
  TGraphicKind kind = RecogniseGraphic(bytes);
  foreignData_.clear();
  if (kind == TGraphicKind::None) {
    kind_ = kind;
    data_.clear();
    width_ = height_ = 0;
    Changed();
    return false;
  }
  kind_ = kind;
  data_.assign(bytes);
  Size size = HeaderSize(kind, data_);
  width_ = size.width;
  height_ = size.height;
  Changed();
  return true;
}

void TPicture::Clear() {
  kind_ = TGraphicKind::None;
  // Given back, not just emptied: a cleared picture may have held megabytes.
  std::string().swap(data_);
  std::string().swap(foreignData_);
  width_ = height_ = 0;
  Changed();
}

void TPicture::ReadData(const std::string& bytes) {
  std::string_view rest(bytes);
  if (rest.empty()) return Clear();
  size_t nameLength = U8(rest, 0);
  if (nameLength + 1 > rest.size()) {
    Clear();
    foreignData_ = bytes;
    return;
  }
  rest.remove_prefix(1 + nameLength);
  // Some graphic classes put the length of their image before it.
  if (rest.size() >= 4 && LE32(rest, 0) == rest.size() - 4) rest.remove_prefix(4);
  if (LoadFromData(rest)) return;
  foreignData_ = bytes;
}

std::string TPicture::WriteData() const {
  if (kind_ == TGraphicKind::None) return foreignData_;
  std::string_view name = GraphicClassName(kind_);
  std::string out;
  out.push_back(static_cast<char>(name.size()));
  out.append(name);
  if (kind_ == TGraphicKind::Bitmap || kind_ == TGraphicKind::Jpeg) {
    auto n = static_cast<std::uint32_t>(data_.size());
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
  }
  out.append(data_);
  return out;
}

void TPicture::DefineProperties(PropDataFiler& filer) {
  filer.DefineBinaryProperty(
      "Data", [this](const std::string& bytes) { ReadData(bytes); },
      [this] { return WriteData(); }, !Empty() || !foreignData_.empty());
}

}  // namespace quarlo
