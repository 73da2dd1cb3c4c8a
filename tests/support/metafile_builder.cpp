#include "support/metafile_builder.h"

#include <algorithm>
#include <cstring>

namespace quarlo::testing {

namespace {

void Put16(std::string& s, std::uint32_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}
void PutF(std::string& s, float f) {
  std::uint32_t v;
  std::memcpy(&v, &f, 4);
  Put32(s, v);
}
void Pad(std::string& s, std::size_t to) {
  while (s.size() % to) s.push_back('\0');
}

}  // namespace

std::string Dib24(int width, int height, const std::vector<std::uint32_t>& pixels) {
  std::string s;
  const int stride = (width * 3 + 3) / 4 * 4;
  Put32(s, 40);
  Put32(s, static_cast<std::uint32_t>(width));
  Put32(s, static_cast<std::uint32_t>(height));
  Put16(s, 1);
  Put16(s, 24);
  Put32(s, 0);
  Put32(s, static_cast<std::uint32_t>(stride * height));
  Put32(s, 0);
  Put32(s, 0);
  Put32(s, 0);
  Put32(s, 0);
  for (int row = height - 1; row >= 0; --row) {
    std::string line;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t px = pixels[static_cast<std::size_t>(row) * width + x];
      line.push_back(static_cast<char>(px & 0xFF));
      line.push_back(static_cast<char>((px >> 8) & 0xFF));
      line.push_back(static_cast<char>((px >> 16) & 0xFF));
    }
    line.resize(static_cast<std::size_t>(stride), '\0');
    s += line;
  }
  return s;
}

// ------------------------------------------------------------------ EMF

EmfBuilder::EmfBuilder(int width, int height) : width_(width), height_(height) {}

EmfBuilder& EmfBuilder::Raw(std::uint32_t type, std::string_view payload, std::uint32_t size) {
  std::string rec;
  Put32(rec, type);
  Put32(rec, 0);
  rec.append(payload);
  Pad(rec, 4);
  const std::uint32_t n = size ? size : static_cast<std::uint32_t>(rec.size());
  for (int i = 0; i < 4; ++i) rec[4 + static_cast<std::size_t>(i)] = static_cast<char>((n >> (8 * i)) & 0xFF);
  records_ += rec;
  ++count_;
  return *this;
}

EmfBuilder& EmfBuilder::Record(std::uint32_t type, const std::vector<std::int32_t>& words) {
  std::string p;
  for (std::int32_t w : words) Put32(p, static_cast<std::uint32_t>(w));
  return Raw(type, p);
}

EmfBuilder& EmfBuilder::Record(std::uint32_t type, std::initializer_list<std::int32_t> words) {
  return Record(type, std::vector<std::int32_t>(words));
}

EmfBuilder& EmfBuilder::Points(std::uint32_t type, const std::vector<std::pair<int, int>>& points) {
  std::vector<std::int32_t> w{0, 0, 0, 0, static_cast<std::int32_t>(points.size())};
  for (auto [x, y] : points) w.insert(w.end(), {x, y});
  return Record(type, w);
}

EmfBuilder& EmfBuilder::Points16(std::uint32_t type, const std::vector<std::pair<int, int>>& points) {
  std::string p;
  for (int i = 0; i < 4; ++i) Put32(p, 0);
  Put32(p, static_cast<std::uint32_t>(points.size()));
  for (auto [x, y] : points) {
    Put16(p, static_cast<std::uint16_t>(x));
    Put16(p, static_cast<std::uint16_t>(y));
  }
  return Raw(type, p);
}

EmfBuilder& EmfBuilder::PolyPoly(std::uint32_t type, const std::vector<std::vector<std::pair<int, int>>>& figures) {
  std::vector<std::int32_t> w{0, 0, 0, 0, static_cast<std::int32_t>(figures.size()), 0};
  std::int32_t total = 0;
  for (const auto& f : figures) {
    w.push_back(static_cast<std::int32_t>(f.size()));
    total += static_cast<std::int32_t>(f.size());
  }
  w[5] = total;
  std::string p;
  for (std::int32_t v : w) Put32(p, static_cast<std::uint32_t>(v));
  const bool small = type == 90 || type == 91;  // the 16-bit forms
  for (const auto& f : figures)
    for (auto [x, y] : f) {
      if (small) {
        Put16(p, static_cast<std::uint16_t>(x));
        Put16(p, static_cast<std::uint16_t>(y));
      } else {
        Put32(p, static_cast<std::uint32_t>(x));
        Put32(p, static_cast<std::uint32_t>(y));
      }
    }
  return Raw(type, p);
}

EmfBuilder& EmfBuilder::Pen(std::uint32_t index, std::uint32_t style, int width, std::uint32_t color) {
  return Record(38, {static_cast<std::int32_t>(index), static_cast<std::int32_t>(style), width, 0,
                     static_cast<std::int32_t>(color)});
}

EmfBuilder& EmfBuilder::Brush(std::uint32_t index, std::uint32_t style, std::uint32_t color, std::uint32_t hatch) {
  return Record(39, {static_cast<std::int32_t>(index), static_cast<std::int32_t>(style),
                     static_cast<std::int32_t>(color), static_cast<std::int32_t>(hatch)});
}

EmfBuilder& EmfBuilder::Font(std::uint32_t index, int height, std::u16string_view face, int weight, int escapement,
                             bool italic, int charset) {
  std::string p;
  Put32(p, index);
  Put32(p, static_cast<std::uint32_t>(height));
  Put32(p, 0);
  Put32(p, static_cast<std::uint32_t>(escapement));
  Put32(p, static_cast<std::uint32_t>(escapement));
  Put32(p, static_cast<std::uint32_t>(weight));
  p.push_back(italic ? 1 : 0);
  p.push_back(0);
  p.push_back(0);
  p.push_back(static_cast<char>(charset));
  p.append(4, '\0');
  for (std::size_t i = 0; i < 32; ++i) Put16(p, i < face.size() ? face[i] : 0);
  return Raw(82, p);
}

EmfBuilder& EmfBuilder::Select(std::uint32_t index) { return Record(37, {static_cast<std::int32_t>(index)}); }
EmfBuilder& EmfBuilder::Delete(std::uint32_t index) { return Record(40, {static_cast<std::int32_t>(index)}); }

EmfBuilder& EmfBuilder::TextW(int x, int y, std::u16string_view text, const std::vector<int>& dx,
                              std::uint32_t options, std::initializer_list<int> rect) {
  std::string p;
  for (int i = 0; i < 4; ++i) Put32(p, 0);  // bounds
  Put32(p, 1);                              // compatible graphics mode
  PutF(p, 0);
  PutF(p, 0);
  Put32(p, static_cast<std::uint32_t>(x));
  Put32(p, static_cast<std::uint32_t>(y));
  Put32(p, static_cast<std::uint32_t>(text.size()));
  const std::uint32_t offString = 76;
  Put32(p, offString);
  Put32(p, options);
  std::vector<int> r(rect);
  r.resize(4, 0);
  for (int v : r) Put32(p, static_cast<std::uint32_t>(v));
  const std::uint32_t offDx = dx.empty() ? 0 : static_cast<std::uint32_t>(offString + (text.size() * 2 + 3) / 4 * 4);
  Put32(p, offDx);
  for (char16_t c : text) Put16(p, c);
  while ((p.size() + 8) % 4) p.push_back('\0');
  for (int d : dx) Put32(p, static_cast<std::uint32_t>(d));
  return Raw(84, p);
}

EmfBuilder& EmfBuilder::TextA(int x, int y, std::string_view text, const std::vector<int>& dx) {
  std::string p;
  for (int i = 0; i < 4; ++i) Put32(p, 0);
  Put32(p, 1);
  PutF(p, 0);
  PutF(p, 0);
  Put32(p, static_cast<std::uint32_t>(x));
  Put32(p, static_cast<std::uint32_t>(y));
  Put32(p, static_cast<std::uint32_t>(text.size()));
  Put32(p, 76);
  Put32(p, 0);
  for (int i = 0; i < 4; ++i) Put32(p, 0);
  const std::uint32_t offDx = dx.empty() ? 0 : static_cast<std::uint32_t>(76 + (text.size() + 3) / 4 * 4);
  Put32(p, offDx);
  p.append(text);
  while ((p.size() + 8) % 4) p.push_back('\0');
  for (int d : dx) Put32(p, static_cast<std::uint32_t>(d));
  return Raw(83, p);
}

EmfBuilder& EmfBuilder::StretchDib(int x, int y, int cx, int cy, const std::string& dib, int dibWidth, int dibHeight,
                                   std::uint32_t rop) {
  // Fixed part: bounds, dest, src, cSrc, offBmi, cbBmi, offBits, cbBits, usage, rop, cDest.
  const std::uint32_t fixed = 80, cbBmi = 40;
  std::string p;
  for (int i = 0; i < 4; ++i) Put32(p, 0);
  Put32(p, static_cast<std::uint32_t>(x));
  Put32(p, static_cast<std::uint32_t>(y));
  Put32(p, 0);
  Put32(p, 0);
  Put32(p, static_cast<std::uint32_t>(dibWidth));
  Put32(p, static_cast<std::uint32_t>(dibHeight));
  Put32(p, fixed);
  Put32(p, cbBmi);
  Put32(p, fixed + cbBmi);
  Put32(p, static_cast<std::uint32_t>(dib.size() - cbBmi));
  Put32(p, 0);
  Put32(p, rop);
  Put32(p, static_cast<std::uint32_t>(cx));
  Put32(p, static_cast<std::uint32_t>(cy));
  p += dib;
  return Raw(81, p);
}

EmfBuilder& EmfBuilder::BitBlt(int x, int y, int cx, int cy, const std::string& dib, std::uint32_t rop) {
  const std::uint32_t fixed = 100;
  std::string p;
  for (int i = 0; i < 4; ++i) Put32(p, 0);
  Put32(p, static_cast<std::uint32_t>(x));
  Put32(p, static_cast<std::uint32_t>(y));
  Put32(p, static_cast<std::uint32_t>(cx));
  Put32(p, static_cast<std::uint32_t>(cy));
  Put32(p, rop);
  Put32(p, 0);
  Put32(p, 0);
  for (float f : {1.f, 0.f, 0.f, 1.f, 0.f, 0.f}) PutF(p, f);
  Put32(p, 0xFFFFFF);
  Put32(p, 0);
  Put32(p, dib.empty() ? 0 : fixed);
  Put32(p, dib.empty() ? 0 : 40);
  Put32(p, dib.empty() ? 0 : fixed + 40);
  Put32(p, dib.empty() ? 0 : static_cast<std::uint32_t>(dib.size() - 40));
  p += dib;
  return Raw(76, p);
}

EmfBuilder& EmfBuilder::Xform(std::uint32_t type, float m11, float m12, float m21, float m22, float dx, float dy,
                              std::int32_t mode) {
  std::string p;
  for (float f : {m11, m12, m21, m22, dx, dy}) PutF(p, f);
  if (mode >= 0) Put32(p, static_cast<std::uint32_t>(mode));
  return Raw(type, p);
}

std::string EmfBuilder::Finish(std::uint16_t handles) const {
  std::string eof;
  Put32(eof, 14);
  Put32(eof, 20);
  Put32(eof, 0);
  Put32(eof, 16);
  Put32(eof, 20);
  std::string h;
  Put32(h, 1);
  Put32(h, 108);
  for (int v : {0, 0, width_ - 1, height_ - 1}) Put32(h, static_cast<std::uint32_t>(v));  // bounds
  for (int v : {0, 0, width_ * 25, height_ * 25}) Put32(h, static_cast<std::uint32_t>(v));  // frame
  Put32(h, 0x464D4520u);
  Put32(h, 0x10000);
  Put32(h, static_cast<std::uint32_t>(108 + records_.size() + eof.size()));
  Put32(h, static_cast<std::uint32_t>(count_ + 2));
  Put16(h, handles);
  Put16(h, 0);
  Put32(h, 0);
  Put32(h, 0);
  Put32(h, 0);
  Put32(h, 1000);  // device pixels
  Put32(h, 1000);
  Put32(h, 250);  // millimetres
  Put32(h, 250);
  Put32(h, 0);
  Put32(h, 0);
  Put32(h, 0);
  Put32(h, 250000);
  Put32(h, 250000);
  return h + records_ + eof;
}

// ------------------------------------------------------------------ WMF

WmfBuilder::WmfBuilder(int left, int top, int right, int bottom, int inch)
    : left_(left), top_(top), right_(right), bottom_(bottom), inch_(inch) {}

WmfBuilder& WmfBuilder::Raw(std::uint16_t function, std::string_view params, std::uint32_t words) {
  std::string rec;
  Put32(rec, 0);
  Put16(rec, function);
  rec.append(params);
  Pad(rec, 2);
  const std::uint32_t n = words ? words : static_cast<std::uint32_t>(rec.size() / 2);
  for (int i = 0; i < 4; ++i) rec[static_cast<std::size_t>(i)] = static_cast<char>((n >> (8 * i)) & 0xFF);
  maxWords_ = std::max<std::uint32_t>(maxWords_, static_cast<std::uint32_t>(rec.size() / 2));
  records_ += rec;
  return *this;
}

WmfBuilder& WmfBuilder::Record(std::uint16_t function, const std::vector<std::int16_t>& params) {
  std::string p;
  for (std::int16_t v : params) Put16(p, static_cast<std::uint16_t>(v));
  return Raw(function, p);
}

WmfBuilder& WmfBuilder::Record(std::uint16_t function, std::initializer_list<std::int16_t> params) {
  return Record(function, std::vector<std::int16_t>(params));
}

WmfBuilder& WmfBuilder::Pen(int style, int width, std::uint32_t color) {
  std::string p;
  Put16(p, static_cast<std::uint16_t>(style));
  Put16(p, static_cast<std::uint16_t>(width));
  Put16(p, 0);
  Put32(p, color);
  return Raw(0x02FA, p);
}

WmfBuilder& WmfBuilder::Brush(int style, std::uint32_t color, int hatch) {
  std::string p;
  Put16(p, static_cast<std::uint16_t>(style));
  Put32(p, color);
  Put16(p, static_cast<std::uint16_t>(hatch));
  return Raw(0x02FC, p);
}

WmfBuilder& WmfBuilder::Font(int height, std::string_view face, int weight, int escapement, int charset) {
  std::string p;
  for (int v : {height, 0, escapement, escapement, weight}) Put16(p, static_cast<std::uint16_t>(v));
  p.push_back(0);
  p.push_back(0);
  p.push_back(0);
  p.push_back(static_cast<char>(charset));
  p.append(4, '\0');
  std::string name(face.substr(0, 31));
  name.resize(32, '\0');
  p += name;
  return Raw(0x02FB, p);
}

WmfBuilder& WmfBuilder::Select(int index) { return Record(0x012D, {static_cast<std::int16_t>(index)}); }
WmfBuilder& WmfBuilder::Delete(int index) { return Record(0x01F0, {static_cast<std::int16_t>(index)}); }

WmfBuilder& WmfBuilder::Poly(std::uint16_t function, const std::vector<std::pair<int, int>>& points) {
  std::vector<std::int16_t> p{static_cast<std::int16_t>(points.size())};
  for (auto [x, y] : points) p.insert(p.end(), {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)});
  return Record(function, p);
}

WmfBuilder& WmfBuilder::TextOut(int x, int y, std::string_view text) {
  std::string p;
  Put16(p, static_cast<std::uint16_t>(text.size()));
  p.append(text);
  Pad(p, 2);
  Put16(p, static_cast<std::uint16_t>(y));
  Put16(p, static_cast<std::uint16_t>(x));
  return Raw(0x0521, p);
}

WmfBuilder& WmfBuilder::ExtTextOut(int x, int y, std::string_view text, const std::vector<int>& dx) {
  std::string p;
  Put16(p, static_cast<std::uint16_t>(y));
  Put16(p, static_cast<std::uint16_t>(x));
  Put16(p, static_cast<std::uint16_t>(text.size()));
  Put16(p, 0);
  p.append(text);
  Pad(p, 2);
  for (int d : dx) Put16(p, static_cast<std::uint16_t>(d));
  return Raw(0x0A32, p);
}

WmfBuilder& WmfBuilder::StretchDib(int x, int y, int cx, int cy, const std::string& dib, int dibWidth, int dibHeight,
                                   std::uint32_t rop) {
  std::string p;
  Put32(p, rop);
  Put16(p, 0);  // colour usage
  for (int v : {dibHeight, dibWidth, 0, 0, cy, cx, y, x}) Put16(p, static_cast<std::uint16_t>(v));
  p += dib;
  return Raw(0x0F43, p);
}

std::string WmfBuilder::Finish(std::uint16_t objects) const {
  std::string out;
  Put32(out, 0x9AC6CDD7u);
  Put16(out, 0);
  for (int v : {left_, top_, right_, bottom_}) Put16(out, static_cast<std::uint16_t>(v));
  Put16(out, static_cast<std::uint16_t>(inch_));
  Put32(out, 0);
  std::uint16_t sum = 0;
  for (std::size_t i = 0; i < 20; i += 2)
    sum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(out[i]) | static_cast<unsigned char>(out[i + 1]) << 8);
  Put16(out, sum);
  std::string eof;
  Put32(eof, 3);
  Put16(eof, 0);
  const std::uint32_t totalWords = static_cast<std::uint32_t>((18 + records_.size() + eof.size()) / 2);
  Put16(out, 1);  // in memory
  Put16(out, 9);
  Put16(out, 0x0300);
  Put32(out, totalWords);
  Put16(out, objects);
  Put32(out, maxWords_);
  Put16(out, 0);
  return out + records_ + eof;
}

}  // namespace quarlo::testing
