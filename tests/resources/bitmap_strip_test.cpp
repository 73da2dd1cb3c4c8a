// Reading uncompressed bitmaps and cutting a strip into cells: row padding, both row
// orders, the cell order and the transparent colour taken from each cell's own
// bottom-left pixel; malformed headers are refused before any pixel is read.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resources/bitmap_strip.h"

namespace quarlo {
namespace {

RgbBitmap Numbered(int width, int height) {
  RgbBitmap image;
  image.Width = width;
  image.Height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.Pixels.push_back(static_cast<uint32_t>(0x10000 * (x + 1) + 0x100 * (y + 1) + 0x11));
  return image;
}

void Poke32(std::string& bytes, size_t offset, uint32_t value) { std::memcpy(&bytes[offset], &value, 4); }
void Poke16(std::string& bytes, size_t offset, uint16_t value) { std::memcpy(&bytes[offset], &value, 2); }

TEST(BitmapStrip, ReadsBackWhatItWritesForEveryRowPadding) {
  for (int width : {1, 2, 3, 4, 5, 17}) {
    const RgbBitmap image = Numbered(width, 3);
    const RgbBitmap read = DecodeStripBitmap(EncodeBmp24(image));
    EXPECT_EQ(read.Width, width);
    EXPECT_EQ(read.Height, 3);
    EXPECT_EQ(read.Pixels, image.Pixels) << "width " << width;
  }
}

TEST(BitmapStrip, ReadsTopDownRowsAndThirtyTwoBitPixels) {
  // 2 x 2 top-down, 32 bits: B G R X per pixel, no padding.
  std::string bytes = EncodeBmp24(Numbered(1, 1));
  bytes.resize(54);
  Poke32(bytes, 18, 2);
  Poke32(bytes, 22, static_cast<uint32_t>(-2));
  Poke16(bytes, 28, 32);
  const unsigned char pixels[] = {0x01, 0x02, 0x03, 0, 0x04, 0x05, 0x06, 0, 0x07, 0x08, 0x09, 0, 0x0A, 0x0B, 0x0C, 0};
  bytes.append(reinterpret_cast<const char*>(pixels), sizeof pixels);
  const RgbBitmap read = DecodeStripBitmap(bytes);
  ASSERT_EQ(read.Pixels.size(), 4u);
  EXPECT_EQ(read.At(0, 0), 0x030201u);  // first stored row is the top row
  EXPECT_EQ(read.At(1, 0), 0x060504u);
  EXPECT_EQ(read.At(0, 1), 0x090807u);
  EXPECT_EQ(read.At(1, 1), 0x0C0B0Au);
}

struct Malformed {
  const char* what;
  void (*apply)(std::string&);
};

TEST(BitmapStrip, RefusesMalformedHeaders) {
  const Malformed cases[] = {
      {"too short", [](std::string& b) { b.resize(30); }},
      {"signature", [](std::string& b) { b[0] = 'P'; }},
      {"8 bits per pixel", [](std::string& b) { Poke16(b, 28, 8); }},
      {"run-length compression", [](std::string& b) { Poke32(b, 30, 1); }},
      {"zero width", [](std::string& b) { Poke32(b, 18, 0); }},
      {"negative width", [](std::string& b) { Poke32(b, 18, static_cast<uint32_t>(-4)); }},
      {"zero height", [](std::string& b) { Poke32(b, 22, 0); }},
      {"most negative height", [](std::string& b) { Poke32(b, 22, 0x80000000u); }},
      {"huge width", [](std::string& b) { Poke32(b, 18, 1u << 30); }},
      {"height beyond the data", [](std::string& b) { Poke32(b, 22, 5000); }},
      {"pixel offset beyond the data", [](std::string& b) { Poke32(b, 10, 1u << 31); }},
      {"info header larger than the file", [](std::string& b) { Poke32(b, 14, 100000); }},
      {"pixels cut off", [](std::string& b) { b.resize(b.size() - 1); }},
  };
  const std::string good = EncodeBmp24(Numbered(4, 4));
  ASSERT_NO_THROW(DecodeStripBitmap(good));
  for (const Malformed& c : cases) {
    std::string bytes = good;
    c.apply(bytes);
    EXPECT_THROW(DecodeStripBitmap(bytes), EInvalidBitmap) << c.what;
  }
}

TEST(BitmapStrip, CutsLeftToRightThenTopToBottomWithEachCellsOwnTransparentColour) {
  const RgbBitmap sheet = Numbered(7, 5);  // 3 x 2 cells of 2 x 2, a partial column and row left over
  const std::vector<ImageCell> cells = CutCells(sheet, 2, 2);
  ASSERT_EQ(cells.size(), 6u);
  for (int i = 0; i < 6; ++i) {
    const int left = (i % 3) * 2;
    const int top = (i / 3) * 2;
    const ImageCell& cell = cells[static_cast<size_t>(i)];
    EXPECT_EQ(cell.Image.At(0, 0), sheet.At(left, top)) << "cell " << i;
    EXPECT_EQ(cell.Image.At(1, 1), sheet.At(left + 1, top + 1)) << "cell " << i;
    EXPECT_EQ(cell.TransparentColor, sheet.At(left, top + 1)) << "cell " << i;
  }
  EXPECT_TRUE(CutCells(sheet, 8, 2).empty());
  EXPECT_TRUE(CutCells(sheet, 0, 2).empty());
  EXPECT_TRUE(CutCells(RgbBitmap{}, 16, 16).empty());
}

}  // namespace
}  // namespace quarlo
