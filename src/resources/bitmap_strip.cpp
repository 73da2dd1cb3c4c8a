#include "resources/bitmap_strip.h"

#include <string>

namespace quarlo {
namespace {

uint32_t U32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

void Put32(std::string& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}
void Put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kRgb = 0;

}  // namespace

RgbBitmap DecodeStripBitmap(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t size = bytes.size();
  if (size < kFileHeaderSize + kInfoHeaderSize || p[0] != 'B' || p[1] != 'M')
    throw EInvalidBitmap("Bitmap image is not valid");
  const uint32_t dataOffset = U32(p + 10);
  const uint32_t headerSize = U32(p + 14);
  if (headerSize < kInfoHeaderSize || headerSize > size - kFileHeaderSize)
    throw EInvalidBitmap("Bitmap image is not valid");
  const auto width = static_cast<int32_t>(U32(p + 18));
  const auto rawHeight = static_cast<int32_t>(U32(p + 22));
  const uint16_t bitsPerPixel = U16(p + 28);
  const uint32_t compression = U32(p + 30);
  if (compression != kRgb || (bitsPerPixel != 24 && bitsPerPixel != 32))
    throw EInvalidBitmap("Unsupported bitmap format");
  // INT32_MIN has no positive counterpart: reject it before negating.
  if (width <= 0 || width > kMaxBitmapSide || rawHeight == 0 || rawHeight < -kMaxBitmapSide ||
      rawHeight > kMaxBitmapSide)
    throw EInvalidBitmap("Bitmap image is not valid");
  const bool bottomUp = rawHeight > 0;
  const int height = bottomUp ? rawHeight : -rawHeight;
  const size_t bytesPerPixel = bitsPerPixel / 8u;
  const size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~static_cast<size_t>(3);
  if (dataOffset > size || stride * static_cast<size_t>(height) > size - dataOffset)
    throw EInvalidBitmap("Bitmap image is not valid");

  RgbBitmap image;
  image.Width = width;
  image.Height = height;
  image.Pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    const int sourceRow = bottomUp ? height - 1 - y : y;
    const unsigned char* row = p + dataOffset + stride * static_cast<size_t>(sourceRow);
    for (int x = 0; x < width; ++x) {
      const unsigned char* px = row + static_cast<size_t>(x) * bytesPerPixel;
      image.Pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
          (static_cast<uint32_t>(px[2]) << 16) | (static_cast<uint32_t>(px[1]) << 8) | px[0];
    }
  }
  return image;
}

std::string EncodeBmp24(const RgbBitmap& image) {
  const size_t stride = (static_cast<size_t>(image.Width) * 3 + 3) & ~static_cast<size_t>(3);
  const auto imageSize = static_cast<uint32_t>(stride * static_cast<size_t>(image.Height));
  std::string out;
  out += "BM";
  Put32(out, static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize) + imageSize);
  Put32(out, 0);
  Put32(out, static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize));
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<uint32_t>(image.Width));
  Put32(out, static_cast<uint32_t>(image.Height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, kRgb);
  Put32(out, imageSize);
  Put32(out, 3780);  // 96 dpi in pixels per metre
  Put32(out, 3780);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = image.Height - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int x = 0; x < image.Width; ++x) {
      const uint32_t c = image.At(x, y);
      out.push_back(static_cast<char>(c & 0xFF));
      out.push_back(static_cast<char>((c >> 8) & 0xFF));
      out.push_back(static_cast<char>((c >> 16) & 0xFF));
    }
    out.append(stride - (out.size() - start), '\0');
  }
  return out;
}

std::vector<ImageCell> CutCells(const RgbBitmap& strip, int cellWidth, int cellHeight) {
  std::vector<ImageCell> cells;
  if (cellWidth <= 0 || cellHeight <= 0) return cells;
  const int columns = strip.Width / cellWidth;
  const int rows = strip.Height / cellHeight;
  cells.reserve(static_cast<size_t>(columns) * static_cast<size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      ImageCell cell;
      cell.Image.Width = cellWidth;
      cell.Image.Height = cellHeight;
      cell.Image.Pixels.reserve(static_cast<size_t>(cellWidth) * static_cast<size_t>(cellHeight));
      for (int y = 0; y < cellHeight; ++y)
        for (int x = 0; x < cellWidth; ++x)
          cell.Image.Pixels.push_back(strip.At(column * cellWidth + x, row * cellHeight + y));
      cell.TransparentColor = cell.Image.At(0, cellHeight - 1);
      cells.push_back(std::move(cell));
    }
  }
  return cells;
}

}  // namespace quarlo
