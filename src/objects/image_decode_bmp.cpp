// Bitmaps and icons: the device-independent bitmap layouts (1, 4, 8, 16, 24 and 32
// bits per pixel, uncompressed or with bit-field masks, bottom-up or top-down), icon
// directories holding such bitmaps with their AND masks or PNG images.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "objects/image_decode.h"

namespace quarlo {

namespace {

std::uint32_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 8;
}
std::uint32_t U32(std::string_view b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
std::int32_t S32(std::string_view b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

DecodedImage Fail(std::string why) {
  DecodedImage d;
  d.error = std::move(why);
  return d;
}

// Value of a masked channel scaled to 8 bits.
std::uint32_t Channel(std::uint32_t v, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  std::uint32_t c = (v & mask) >> shift;
  if (bits >= 8) return c >> (bits - 8);
  const std::uint32_t max = (1u << bits) - 1;
  return (c * 255 + max / 2) / max;
}

// A DIB: info header at `info`, pixel bits at `bits` (both offsets into `b`). In an
// icon the height counts the XOR and AND images together and the AND mask follows.
DecodedImage DecodeDib(std::string_view b, std::size_t info, std::size_t bits, bool icon) {
  if (info + 12 > b.size()) return Fail("Bitmap header is truncated");
  const std::uint32_t headerSize = U32(b, info);
  long long width, height;
  int bpp;
  std::uint32_t compression = 0, colorsUsed = 0;
  std::size_t paletteEntry = 4;
  if (headerSize == 12) {
    width = U16(b, info + 4);
    height = static_cast<std::int16_t>(U16(b, info + 6));
    bpp = static_cast<int>(U16(b, info + 10));
    paletteEntry = 3;
  } else if (headerSize >= 40 && info + 40 <= b.size()) {
    width = S32(b, info + 4);
    height = S32(b, info + 8);
    bpp = static_cast<int>(U16(b, info + 14));
    compression = U32(b, info + 16);
    colorsUsed = U32(b, info + 32);
  } else {
    return Fail("Bitmap header is not supported");
  }
  bool topDown = height < 0;
  if (topDown) height = -height;
  if (icon) height /= 2;
  if (width <= 0 || height <= 0) return Fail("Bitmap has no pixels");
  if (std::string size = CheckImageSize(width, height); !size.empty()) return Fail(size);
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    return Fail("Bitmap bit depth is not supported");
  if (compression != 0 && compression != 3) return Fail("Compressed bitmaps are not supported");

  std::uint32_t rMask = 0, gMask = 0, bMask = 0, aMask = 0;
  if (bpp == 16) rMask = 0x7C00, gMask = 0x03E0, bMask = 0x001F;
  if (bpp == 32) rMask = 0x00FF0000, gMask = 0x0000FF00, bMask = 0x000000FF;
  std::size_t afterHeader = info + headerSize;
  if (compression == 3) {
    if (bpp != 16 && bpp != 32) return Fail("Bitmap masks need 16 or 32 bits per pixel");
    // Masks follow a 40-byte header; larger headers hold them inside.
    const std::size_t at = info + 40;
    if (at + 12 > b.size()) return Fail("Bitmap masks are truncated");
    rMask = U32(b, at), gMask = U32(b, at + 4), bMask = U32(b, at + 8);
    if (headerSize >= 56 && at + 16 <= b.size()) aMask = U32(b, at + 12);
    if (headerSize == 40) afterHeader += 12;
  }

  std::vector<std::uint32_t> palette;
  if (bpp <= 8) {
    std::size_t count = colorsUsed ? colorsUsed : (1u << bpp);
    count = std::min<std::size_t>(count, 256);
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t at = afterHeader + i * paletteEntry;
      if (at + 3 > b.size()) break;
      palette.push_back(0xFF000000u | static_cast<std::uint8_t>(b[at + 2]) << 16 |
                        static_cast<std::uint8_t>(b[at + 1]) << 8 | static_cast<std::uint8_t>(b[at]));
    }
    if (palette.empty()) return Fail("Bitmap palette is missing");
    afterHeader += count * paletteEntry;
  }
  if (bits == 0) bits = afterHeader;

  const std::size_t w = static_cast<std::size_t>(width), h = static_cast<std::size_t>(height);
  const std::size_t stride = (w * static_cast<std::size_t>(bpp) + 31) / 32 * 4;
  if (bits > b.size() || (b.size() - bits) / stride < h) return Fail("Bitmap data is truncated");
  const std::size_t maskStride = (w + 31) / 32 * 4;
  const bool hasMask = icon && bpp < 32 && (b.size() - bits - stride * h) / maskStride >= h;

  DecodedImage out;
  out.image.width = static_cast<int>(w);
  out.image.height = static_cast<int>(h);
  out.image.pixels.resize(w * h);
  bool anyAlpha = false;
  for (std::size_t row = 0; row < h; ++row) {
    const char* src = b.data() + bits + row * stride;
    std::uint32_t* dst = out.image.pixels.data() + (topDown ? row : h - 1 - row) * w;
    for (std::size_t x = 0; x < w; ++x) {
      std::uint32_t px;
      if (bpp <= 8) {
        const std::size_t bit = x * static_cast<std::size_t>(bpp);
        const std::uint8_t byte = static_cast<std::uint8_t>(src[bit / 8]);
        const unsigned index = (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
        px = index < palette.size() ? palette[index] : 0xFF000000u;
      } else if (bpp == 24) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(src + x * 3);
        px = 0xFF000000u | p[2] << 16 | p[1] << 8 | p[0];
      } else {
        const std::uint32_t v = bpp == 16 ? U16(std::string_view(src, 2 * w), x * 2)
                                          : U32(std::string_view(src, 4 * w), x * 4);
        std::uint32_t a = 0xFF;
        if (aMask) a = Channel(v, aMask);
        if (icon && bpp == 32) a = v >> 24, anyAlpha = anyAlpha || a != 0;
        px = a << 24 | Channel(v, rMask) << 16 | Channel(v, gMask) << 8 | Channel(v, bMask);
      }
      dst[x] = px;
    }
    if (hasMask) {
      const char* mask = b.data() + bits + stride * h + row * maskStride;
      for (std::size_t x = 0; x < w; ++x)
        if ((static_cast<std::uint8_t>(mask[x / 8]) >> (7 - x % 8)) & 1) dst[x] = 0;
    }
  }
  // 32-bit icons without any alpha are opaque images.
  if (icon && bpp == 32 && !anyAlpha)
    for (auto& px : out.image.pixels) px |= 0xFF000000u;
  return out;
}

}  // namespace

DecodedImage DecodeBmp(std::string_view b) {
  if (b.size() < 14 || b[0] != 'B' || b[1] != 'M') return Fail("Not a bitmap");
  const std::uint32_t bits = U32(b, 10);
  if (bits < 14 || bits >= b.size()) return Fail("Bitmap data is truncated");
  return DecodeDib(b, 14, bits, false);
}

DecodedImage DecodeIcon(std::string_view b) {
  if (b.size() < 6 || U16(b, 0) != 0 || U16(b, 2) > 2) return Fail("Not an icon");
  const std::size_t count = U16(b, 4);
  if (count == 0) return Fail("Icon holds no image");
  // The entry with the most pixels, then the deepest colour, is the one to show.
  std::size_t best = 0;
  long long bestArea = -1;
  int bestBpp = -1;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = 6 + i * 16;
    if (at + 16 > b.size()) break;
    const long long w = static_cast<std::uint8_t>(b[at]) ? static_cast<std::uint8_t>(b[at]) : 256;
    const long long h = static_cast<std::uint8_t>(b[at + 1]) ? static_cast<std::uint8_t>(b[at + 1]) : 256;
    const int bpp = static_cast<int>(U16(b, at + 6));
    if (w * h > bestArea || (w * h == bestArea && bpp > bestBpp)) best = i, bestArea = w * h, bestBpp = bpp;
  }
  if (bestArea < 0) return Fail("Icon directory is truncated");
  const std::size_t at = 6 + best * 16;
  const std::size_t size = U32(b, at + 8), offset = U32(b, at + 12);
  if (offset >= b.size()) return Fail("Icon image is truncated");
  const std::string_view image = b.substr(offset, std::min(size, b.size() - offset));
  if (image.size() >= 8 && std::memcmp(image.data(), "\x89PNG\r\n\x1a\n", 8) == 0) return DecodePng(image);
  return DecodeDib(image, 0, 0, true);
}

}  // namespace quarlo
