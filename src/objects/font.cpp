#include "objects/font.h"

#include <cstdlib>

namespace quarlo {

namespace {

// Multiplies and divides with rounding half away from zero, as font size
// conversions on the desktop platform do.
int MulDiv(int number, int numerator, int denominator) {
  long long p = static_cast<long long>(number) * numerator;
  long long half = denominator / 2;
  long long q = p >= 0 ? (p + half) / denominator : -((-p + half) / denominator);
  return static_cast<int>(q);
}

}  // namespace

const EnumInfo& FontStyleMembers() {
  static const EnumInfo names{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
  return names;
}

const EnumInfo& FontPitchNames() {
  static const EnumInfo names{"fpDefault", "fpVariable", "fpFixed"};
  return names;
}

const ClassInfo& TFont::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TFont, TPersistent);
    b.Integer("Charset", &TFont::Charset, &TFont::SetCharset);
    b.Integer("Color", &TFont::Color, &TFont::SetColor);
    b.Integer("Height", &TFont::Height, &TFont::SetHeight);
    b.String("Name", &TFont::Name, &TFont::SetName);
    b.Enum("Pitch", FontPitchNames(), &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
    b.Integer("Size", &TFont::Size, &TFont::SetSize).NotStored();
    b.Set("Style", FontStyleMembers(), &TFont::Style, &TFont::SetStyle);
    return b.Build();
  }();
  return info;
}

TFont::TFont() = default;

TFont::TFont(const TFont& other)
    : TPersistent(other),
      name_(other.name_),
      height_(other.height_),
      color_(other.color_),
      style_(other.style_),
      charset_(other.charset_),
      pitch_(other.pitch_) {}

TFont& TFont::operator=(const TFont& other) {
  if (this == &other) return *this;
  name_ = other.name_;
  height_ = other.height_;
  color_ = other.color_;
  style_ = other.style_;
  charset_ = other.charset_;
  pitch_ = other.pitch_;
  Changed();
  return *this;
}

bool TFont::operator==(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ &&
         style_ == other.style_ && charset_ == other.charset_ && pitch_ == other.pitch_;
}

void TFont::Changed() {
  if (OnChange) OnChange();
}

void TFont::SetName(const std::string& name) {
  name_ = name;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, kFontPixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, kFontPixelsPerInch, 72)); }

void TFont::SetHeight(int pixels) {
  height_ = pixels;
  Changed();
}

void TFont::SetColor(TColor color) {
  color_ = color;
  Changed();
}

void TFont::SetStyle(int style) {
  style_ = style & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
  Changed();
}

void TFont::SetCharset(int charset) {
  charset_ = charset & 0xFF;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  pitch_ = (pitch >= fpDefault && pitch <= fpFixed) ? pitch : fpDefault;
  Changed();
}

}  // namespace quarlo
