#pragma once
// Small writers of enhanced and placeable Windows metafiles for tests and the sample
// report. Records are written as given, so a test can also write records that lie.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quarlo::testing {

// A bitmap info header and 24-bit bottom-up bits for `pixels` (0x00RRGGBB, rows top to
// bottom).
std::string Dib24(int width, int height, const std::vector<std::uint32_t>& pixels);

class EmfBuilder {
 public:
  // The reference device has 4 pixels per millimetre; the frame covers width x height of
  // its pixels, so logical units of the text map mode are those pixels.
  explicit EmfBuilder(int width = 100, int height = 100);

  // A record of 32-bit words after type and size.
  EmfBuilder& Record(std::uint32_t type, std::initializer_list<std::int32_t> words);
  EmfBuilder& Record(std::uint32_t type, const std::vector<std::int32_t>& words);
  // A record with raw bytes after type and size (padded to 4 bytes); `size` other than 0
  // is written as the record size instead of the true one.
  EmfBuilder& Raw(std::uint32_t type, std::string_view payload, std::uint32_t size = 0);

  EmfBuilder& Points(std::uint32_t type, const std::vector<std::pair<int, int>>& points);
  EmfBuilder& Points16(std::uint32_t type, const std::vector<std::pair<int, int>>& points);
  EmfBuilder& PolyPoly(std::uint32_t type, const std::vector<std::vector<std::pair<int, int>>>& figures);
  EmfBuilder& Pen(std::uint32_t index, std::uint32_t style, int width, std::uint32_t color);
  EmfBuilder& Brush(std::uint32_t index, std::uint32_t style, std::uint32_t color, std::uint32_t hatch = 0);
  EmfBuilder& Font(std::uint32_t index, int height, std::u16string_view face, int weight = 400, int escapement = 0,
                   bool italic = false, int charset = 1);
  EmfBuilder& Select(std::uint32_t index);
  EmfBuilder& Delete(std::uint32_t index);
  // EXTTEXTOUTW, or EXTTEXTOUTA with `text` taken as 8-bit characters.
  EmfBuilder& TextW(int x, int y, std::u16string_view text, const std::vector<int>& dx = {}, std::uint32_t options = 0,
                    std::initializer_list<int> rect = {});
  EmfBuilder& TextA(int x, int y, std::string_view text, const std::vector<int>& dx = {});
  EmfBuilder& StretchDib(int x, int y, int cx, int cy, const std::string& dib, int dibWidth, int dibHeight,
                         std::uint32_t rop = 0xCC0020);
  EmfBuilder& BitBlt(int x, int y, int cx, int cy, const std::string& dib, std::uint32_t rop = 0xCC0020);
  EmfBuilder& Xform(std::uint32_t type, float m11, float m12, float m21, float m22, float dx, float dy,
                    std::int32_t mode = -1);

  // Header (with `handles` objects) + records + end-of-file record.
  std::string Finish(std::uint16_t handles = 16) const;

 private:
  int width_, height_;
  std::string records_;
  int count_ = 0;
};

class WmfBuilder {
 public:
  // Placeable metafile whose bounding box is (left, top)-(right, bottom) in units of
  // 1/inch inch.
  WmfBuilder(int left, int top, int right, int bottom, int inch = 96);

  // A record of 16-bit parameters after size and function.
  WmfBuilder& Record(std::uint16_t function, std::initializer_list<std::int16_t> params);
  WmfBuilder& Record(std::uint16_t function, const std::vector<std::int16_t>& params);
  // Raw parameter bytes (padded to 2); `words` other than 0 is written as the size.
  WmfBuilder& Raw(std::uint16_t function, std::string_view params, std::uint32_t words = 0);

  WmfBuilder& Pen(int style, int width, std::uint32_t color);
  WmfBuilder& Brush(int style, std::uint32_t color, int hatch = 0);
  WmfBuilder& Font(int height, std::string_view face, int weight = 400, int escapement = 0, int charset = 0);
  WmfBuilder& Select(int index);
  WmfBuilder& Delete(int index);
  WmfBuilder& Poly(std::uint16_t function, const std::vector<std::pair<int, int>>& points);
  WmfBuilder& TextOut(int x, int y, std::string_view text);
  WmfBuilder& ExtTextOut(int x, int y, std::string_view text, const std::vector<int>& dx = {});
  WmfBuilder& StretchDib(int x, int y, int cx, int cy, const std::string& dib, int dibWidth, int dibHeight,
                         std::uint32_t rop = 0xCC0020);

  std::string Finish(std::uint16_t objects = 16) const;

 private:
  int left_, top_, right_, bottom_, inch_;
  std::string records_;
  std::uint32_t maxWords_ = 3;
};

}  // namespace quarlo::testing
