#pragma once
// Uncompressed device-independent bitmaps as the image resources store them, and the
// cutting of a strip into equal cells whose bottom-left pixel names the transparent
// colour (the convention of toolbar image lists).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/errors.h"

namespace quarlo {

// A bitmap the decoder does not accept (wrong signature, unsupported depth or
// compression, sizes beyond the data or beyond kMaxBitmapSide).
class EInvalidBitmap : public Exception {
 public:
  using Exception::Exception;
};

inline constexpr int kMaxBitmapSide = 8192;

struct RgbBitmap {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;  // 0x00RRGGBB, rows top to bottom

  uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)]; }
};

struct ImageCell {
  RgbBitmap Image;
  uint32_t TransparentColor = 0;  // 0x00RRGGBB
};

// Reads a "BM" file of 24 or 32 bits per pixel without compression, bottom-up or
// top-down; throws EInvalidBitmap.
RgbBitmap DecodeStripBitmap(std::string_view bytes);

// A 24-bit bottom-up "BM" file of image (the form the generator writes).
std::string EncodeBmp24(const RgbBitmap& image);

// Cells of cellWidth x cellHeight from left to right, then top to bottom; a partial
// cell at the right or bottom edge is dropped.
std::vector<ImageCell> CutCells(const RgbBitmap& strip, int cellWidth, int cellHeight);

}  // namespace quarlo
