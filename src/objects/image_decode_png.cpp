// PNG reading and writing through libpng, from and to memory. Fatal libpng errors
// jump back to the setjmp of the call; the read and write structures are released on
// every path.

#include <png.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "objects/image_decode.h"

namespace quarlo {

namespace {

struct MemoryReader {
  std::string_view bytes;
  std::size_t at = 0;
};

void ReadFromMemory(png_structp png, png_bytep data, png_size_t length) {
  auto* src = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (src->bytes.size() - src->at < length) png_error(png, "PNG data is truncated");
  std::memcpy(data, src->bytes.data() + src->at, length);
  src->at += length;
}

void WriteToString(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void FlushNothing(png_structp) {}

// The library allocates a side chunk (text, profile, unknown) at the size its length field
// claims before reading it, so a chunk claiming gigabytes in a short file is refused here.
// Such a file could not be read to the end anyway.
bool ChunkLongerThanData(std::string_view bytes) {
  std::size_t at = 8;  // after the signature
  while (bytes.size() - at >= 8) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    const std::uint32_t length = (std::uint32_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
    if (length > bytes.size() - at - 8) return true;
    if (std::memcmp(p + 4, "IEND", 4) == 0) return false;
    at += 8 + std::size_t{length};
    if (bytes.size() - at < 4) return false;
    at += 4;  // checksum
  }
  return false;
}

struct PngMessage {
  std::string text;
};

void OnPngError(png_structp png, png_const_charp message) {
  if (auto* m = static_cast<PngMessage*>(png_get_error_ptr(png))) m->text = message ? message : "";
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// A row of 0xAARRGGBB pixels as the bytes R, G, B and, with 4 channels, A.
template <int channels>
void RowBytes(const std::uint32_t* src, int width, png_byte* out) {
  for (int x = 0; x < width; ++x, out += channels) {
    const std::uint32_t v = src[x];
    out[0] = static_cast<png_byte>(v >> 16);
    out[1] = static_cast<png_byte>(v >> 8);
    out[2] = static_cast<png_byte>(v);
    if constexpr (channels == 4) out[3] = static_cast<png_byte>(v >> 24);
  }
}

}  // namespace

DecodedImage DecodePng(std::string_view bytes) {
  DecodedImage out;
  PngMessage message;
  if (bytes.size() >= 8 && ChunkLongerThanData(bytes)) {
    out.error = "PNG data is broken: a chunk is longer than the data";
    return out;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &message, OnPngError, OnPngWarning);
  if (!png) {
    out.error = "PNG reader is not available";
    return out;
  }
  png_infop info = png_create_info_struct(png);
  MemoryReader reader{bytes};
  std::vector<png_bytep> rows;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    DecodedImage failed;
    failed.error = "PNG data is broken: " + message.text;
    return failed;
  }
  png_set_read_fn(png, &reader, ReadFromMemory);
  // The library's own limit keeps it from allocating for absurd headers while it reads.
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
  png_set_chunk_cache_max(png, 1000);
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  if (std::string size = CheckImageSize(w, h); !size.empty()) {
    png_destroy_read_struct(&png, &info, nullptr);
    out.error = size;
    return out;
  }
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  out.image.width = static_cast<int>(w);
  out.image.height = static_cast<int>(h);
  out.image.pixels.assign(static_cast<std::size_t>(w) * h, 0);
  rows.resize(h);
  for (png_uint_32 y = 0; y < h; ++y)
    rows[y] = reinterpret_cast<png_bytep>(out.image.pixels.data() + static_cast<std::size_t>(y) * w);
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return out;
}

std::string EncodePng(const CanvasImage& image) {
  if (image.IsEmpty()) return {};
  return EncodePng(image.pixels.data(), image.width, image.height, static_cast<std::size_t>(image.width));
}

std::string EncodePng(const std::uint32_t* pixels, int width, int height, std::size_t stride) {
  if (!pixels || width <= 0 || height <= 0 || stride < static_cast<std::size_t>(width)) return {};
  const auto rowAt = [&](int y) { return pixels + static_cast<std::size_t>(y) * stride; };
  bool opaque = true;
  for (int y = 0; y < height && opaque; ++y) {
    // Tested a row at a time: the loop over the pixels has no branch.
    const std::uint32_t* src = rowAt(y);
    std::uint32_t alpha = 0xFF000000u;
    for (int x = 0; x < width; ++x) alpha &= src[x];
    opaque = alpha == 0xFF000000u;
  }
  std::string result;
  PngMessage message;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &message, OnPngError, OnPngWarning);
  if (!png) return {};
  png_infop info = png_create_info_struct(png);
  std::vector<png_byte> row;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &result, WriteToString, FlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  // Rendered pages are mostly flat paper with anti-aliased text and lines. Unfiltered rows
  // at a fast deflate level come out smaller than the library's defaults (every filter
  // tried per row, level 6) on such pages, by a fifth to a third, and take a quarter of
  // the time. Pages of large blocks of colour (pictures, barcodes) grow instead, by up
  // to two thirds; the bundled sample by an eighth in all.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 3);
  png_write_info(png, info);
  const int channels = opaque ? 3 : 4;
  row.resize(static_cast<std::size_t>(width) * channels);
  for (int y = 0; y < height; ++y) {
    if (opaque) {
      RowBytes<3>(rowAt(y), width, row.data());
    } else {
      RowBytes<4>(rowAt(y), width, row.data());
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return result;
}

}  // namespace quarlo
