#include "report_generator_pictures.h"

#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace quarlo::testing {

namespace {

std::vector<unsigned char> RgbRows(int width, int height, const PicturePattern& p) {
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  const int cell = p.cell > 0 ? p.cell : 1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = ((x / cell + y / cell) % 2 == 0) ? p.first : p.second;
      unsigned char* px = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      px[0] = static_cast<unsigned char>(c >> 16);
      px[1] = static_cast<unsigned char>(c >> 8);
      px[2] = static_cast<unsigned char>(c);
    }
  }
  return rgb;
}

void Put16(std::string& s, unsigned v) {
  s.push_back(static_cast<char>(v & 0xff));
  s.push_back(static_cast<char>((v >> 8) & 0xff));
}
void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xffff);
  Put16(s, v >> 16);
}

}  // namespace

std::string MakeBmp(int width, int height, const PicturePattern& pattern) {
  const std::vector<unsigned char> rgb = RgbRows(width, height, pattern);
  const int stride = (width * 3 + 3) / 4 * 4;
  const std::uint32_t imageSize = static_cast<std::uint32_t>(stride) * height;
  std::string s = "BM";
  Put32(s, 54 + imageSize);
  Put32(s, 0);
  Put32(s, 54);
  Put32(s, 40);
  Put32(s, static_cast<std::uint32_t>(width));
  Put32(s, static_cast<std::uint32_t>(height));
  Put16(s, 1);
  Put16(s, 24);
  Put32(s, 0);
  Put32(s, imageSize);
  Put32(s, 3780);
  Put32(s, 3780);
  Put32(s, 0);
  Put32(s, 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const unsigned char* px = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      s.push_back(static_cast<char>(px[2]));
      s.push_back(static_cast<char>(px[1]));
      s.push_back(static_cast<char>(px[0]));
    }
    s.append(static_cast<size_t>(stride - width * 3), '\0');
  }
  return s;
}

std::string MakePng(int width, int height, const PicturePattern& pattern) {
  std::vector<unsigned char> rgb = RgbRows(width, height, pattern);
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("PNG encoding failed");
  }
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t size) {
        static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), size);
      },
      nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, &rgb[static_cast<size_t>(y) * width * 3]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::string MakeJpeg(int width, int height, const PicturePattern& pattern) {
  std::vector<unsigned char> rgb = RgbRows(width, height, pattern);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = &rgb[static_cast<size_t>(cinfo.next_scanline) * width * 3];
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string out(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

std::string MakePlaceableMetafile(int widthTwips, int heightTwips) {
  std::string s;
  Put32(s, 0x9ac6cdd7u);
  Put16(s, 0);
  Put16(s, 0);
  Put16(s, 0);
  Put16(s, static_cast<unsigned>(widthTwips));
  Put16(s, static_cast<unsigned>(heightTwips));
  Put16(s, 1440);
  Put32(s, 0);
  unsigned checksum = 0;
  for (size_t i = 0; i < 20; i += 2) {
    checksum ^= static_cast<unsigned char>(s[i]) | static_cast<unsigned char>(s[i + 1]) << 8;
  }
  Put16(s, checksum);
  // The metafile header record and the end record.
  Put16(s, 1);
  Put16(s, 9);
  Put16(s, 0x0300);
  Put32(s, 9 + 3);
  Put16(s, 0);
  Put32(s, 3);
  Put16(s, 0);
  Put32(s, 3);
  Put16(s, 0);
  return s;
}

}  // namespace quarlo::testing
