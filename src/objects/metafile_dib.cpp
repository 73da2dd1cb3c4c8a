#include "objects/metafile_dib.h"

#include <string>

#include "objects/image_decode.h"

namespace quarlo {

namespace {

std::uint32_t Le32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// Wraps info and bits in a bitmap file, so the picture decoder (and its limits) reads it.
std::optional<CanvasImage> DecodeWrapped(std::string_view info, std::string_view bits) {
  std::string file;
  file.reserve(14 + info.size() + bits.size());
  file += "BM";
  Put32(file, static_cast<std::uint32_t>(14 + info.size() + bits.size()));
  Put32(file, 0);
  Put32(file, static_cast<std::uint32_t>(14 + info.size()));
  file.append(info);
  file.append(bits);
  DecodedImage d = DecodeBmp(file);
  if (!d.Ok()) return std::nullopt;
  return std::move(d.image);
}

}  // namespace

std::optional<CanvasImage> DecodeRecordDib(std::string_view record, std::uint64_t infoAt, std::uint64_t infoSize,
                                           std::uint64_t bitsAt, std::uint64_t bitsSize) {
  const std::uint64_t size = record.size();
  if (infoSize < 12 || infoAt > size || infoSize > size - infoAt || bitsAt > size || bitsSize > size - bitsAt)
    return std::nullopt;
  return DecodeWrapped(record.substr(infoAt, infoSize), record.substr(bitsAt, bitsSize));
}

std::optional<CanvasImage> DecodePackedDib(std::string_view dib) {
  if (dib.size() < 12) return std::nullopt;
  const std::uint64_t headerSize = Le32(dib, 0);
  if (headerSize < 12 || headerSize > dib.size()) return std::nullopt;
  // The bits follow the header, its colour masks and its palette.
  std::uint64_t bitsAt = headerSize;
  if (headerSize == 12) {
    const unsigned bpp = static_cast<std::uint8_t>(dib[10]) | static_cast<unsigned>(static_cast<std::uint8_t>(dib[11])) << 8;
    if (bpp <= 8) bitsAt += 3ull << bpp;
  } else if (headerSize >= 40) {
    const unsigned bpp = static_cast<std::uint8_t>(dib[14]) | static_cast<unsigned>(static_cast<std::uint8_t>(dib[15])) << 8;
    const std::uint32_t compression = Le32(dib, 16), used = Le32(dib, 32);
    if (compression == 3 && headerSize == 40) bitsAt += 12;
    if (bpp <= 8) bitsAt += 4ull * (used && used <= 256 ? used : 1u << bpp);
  }
  if (bitsAt >= dib.size()) return std::nullopt;
  return DecodeWrapped(dib.substr(0, bitsAt), dib.substr(bitsAt));
}

TColor AverageColor(const CanvasImage& image) {
  if (image.IsEmpty()) return clWhite;
  unsigned long long r = 0, g = 0, b = 0;
  for (std::uint32_t px : image.pixels) {
    r += (px >> 16) & 0xFF;
    g += (px >> 8) & 0xFF;
    b += px & 0xFF;
  }
  const unsigned long long n = image.pixels.size();
  return static_cast<TColor>((b / n) << 16 | (g / n) << 8 | (r / n));
}

}  // namespace quarlo
