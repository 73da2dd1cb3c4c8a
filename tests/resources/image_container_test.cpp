// The compressed toolbar image container: the compiled-in one decodes to 25 drawn
// 16 x 16 cells, is at the same time a valid gzip file, and every kind of damage is
// refused with the decompression error instead of yielding garbage.
#include <gtest/gtest.h>
#include <zlib.h>

#include <set>
#include <string>

#include "resources/image_container.h"
#include "resources/preview_buttons.h"

namespace quarlo {
namespace {

std::string GunzipPlain(std::string_view bytes) {
  z_stream z{};
  EXPECT_EQ(inflateInit2(&z, 16 + MAX_WBITS), Z_OK);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z.avail_in = static_cast<uInt>(bytes.size());
  std::string out(1 << 20, '\0');
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(out.size() - z.avail_out);
  inflateEnd(&z);
  return out;
}

TEST(ImageContainer, BuiltInButtonsAreTwentyFiveDrawnCells) {
  const std::string_view container = PreviewButtonsContainer();
  ASSERT_GE(container.size(), 20u);
  EXPECT_EQ(container.substr(0, 4), std::string_view("\x1F\x8B\x08\x08", 4));  // gzip, deflate, FNAME
  EXPECT_EQ(container.substr(10, 2), std::string_view("1\0", 2));

  const std::string bitmap = InflateImageContainer(container);
  EXPECT_EQ(bitmap, GunzipPlain(container));
  const auto adler = static_cast<uint32_t>(
      adler32(adler32(0, Z_NULL, 0), reinterpret_cast<const Bytef*>(bitmap.data()), static_cast<uInt>(bitmap.size())));
  const auto* mtime = reinterpret_cast<const unsigned char*>(container.data()) + 4;
  EXPECT_EQ((uint32_t{mtime[0]} << 24) | (uint32_t{mtime[1]} << 16) | (uint32_t{mtime[2]} << 8) | mtime[3], adler);

  const RgbBitmap strip = DecodeStripBitmap(bitmap);
  EXPECT_EQ(strip.Width, 400);
  EXPECT_EQ(strip.Height, 16);
  const std::vector<ImageCell> cells = DecodeButtonImages(container);
  ASSERT_EQ(cells.size(), static_cast<size_t>(kPreviewButtonCount));
  std::set<std::vector<uint32_t>> distinct;
  for (size_t i = 0; i < cells.size(); ++i) {
    const ImageCell& cell = cells[i];
    EXPECT_EQ(cell.Image.Width, 16);
    EXPECT_EQ(cell.Image.Height, 16);
    int drawn = 0;
    for (uint32_t pixel : cell.Image.Pixels) drawn += pixel != cell.TransparentColor;
    // Every button is a real drawing that leaves a transparent margin around it.
    EXPECT_GT(drawn, 30) << "image " << i;
    EXPECT_LT(drawn, 256) << "image " << i;
    EXPECT_EQ(cell.TransparentColor, cells[0].TransparentColor) << "image " << i;
    distinct.insert(cell.Image.Pixels);
  }
  EXPECT_EQ(distinct.size(), cells.size()) << "two buttons look the same";
}

TEST(ImageContainer, RoundTripsAnyBytes) {
  for (const std::string& data : {std::string(), std::string("x"), std::string(100000, '\x7F'), std::string("\0\1\2", 3)})
    EXPECT_EQ(InflateImageContainer(MakeImageContainer(data)), data);
}

struct Damage {
  const char* what;
  void (*apply)(std::string&);
};

void Flip(std::string& bytes, size_t index) { bytes.at(index) = static_cast<char>(bytes.at(index) ^ 0x55); }
void SetFlag(std::string& bytes, int flag) { bytes.at(3) = static_cast<char>(bytes.at(3) | flag); }

TEST(ImageContainer, DamagedContainersRaiseTheDecompressionError) {
  const Damage damages[] = {
      {"empty", [](std::string& b) { b.clear(); }},
      {"header only", [](std::string& b) { b.resize(10); }},
      {"not gzip", [](std::string& b) { b.at(0) = 'B'; }},
      {"not deflate", [](std::string& b) { b.at(2) = 7; }},
      {"extra field", [](std::string& b) { SetFlag(b, 0x04); }},
      {"comment", [](std::string& b) { SetFlag(b, 0x10); }},
      {"header checksum", [](std::string& b) { SetFlag(b, 0x02); }},
      {"unterminated name", [](std::string& b) { b.resize(11); }},
      {"body cut short", [](std::string& b) { b = b.substr(0, b.size() / 2) + b.substr(b.size() - 8); }},
      {"trailer missing", [](std::string& b) { b.resize(b.size() - 8); }},
      {"body byte changed", [](std::string& b) { Flip(b, 20); }},
      {"wrong Adler-32 in MTIME", [](std::string& b) { Flip(b, 7); }},
      {"wrong CRC-32", [](std::string& b) { Flip(b, b.size() - 8); }},
      {"wrong length", [](std::string& b) { Flip(b, b.size() - 1); }},
  };
  const std::string good(PreviewButtonsContainer());
  for (const Damage& damage : damages) {
    std::string bytes = good;
    damage.apply(bytes);
    EXPECT_THROW(InflateImageContainer(bytes), EDecompressionError) << damage.what;
  }
  EXPECT_THROW(DecodeButtonImages(std::string_view(good).substr(0, 40)), EDecompressionError);
}

TEST(ImageContainer, RefusesOutputBeyondTheLimit) {
  // Highly compressible: a few kilobytes that would inflate past the limit.
  const std::string bomb = MakeImageContainer(std::string(kMaxImageContainerOutput + 1, '\0'));
  EXPECT_LT(bomb.size(), 64u * 1024);
  EXPECT_THROW(InflateImageContainer(bomb), EDecompressionError);
}

TEST(ImageContainer, ANonBitmapPayloadIsRefusedByTheBitmapReader) {
  EXPECT_THROW(DecodeButtonImages(MakeImageContainer("GIF89a not a bitmap at all, but long enough to have headers")),
               EInvalidBitmap);
}

}  // namespace
}  // namespace quarlo
