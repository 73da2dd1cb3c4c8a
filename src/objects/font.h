#pragma once
// The font of report objects. Created at 96 pixels per inch so that Height is in
// report pixels; Size (points) and Height are two views of one value.

#include <cstdint>
#include <functional>
#include <string>

#include "objects/property_model.h"
#include "platform/color.h"

namespace quarlo {

// Font style bits.
inline constexpr int fsBold = 1;
inline constexpr int fsItalic = 2;
inline constexpr int fsUnderline = 4;
inline constexpr int fsStrikeOut = 8;

enum TFontPitch : int { fpDefault, fpVariable, fpFixed };

inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int kFontPixelsPerInch = 96;

class TFont : public TPersistent {
  QUARLO_CLASS(TFont)
 public:
  TFont();
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);  // copies the values, keeps OnChange
  bool operator==(const TFont& other) const;

  const std::string& Name() const { return name_; }  // code page bytes
  void SetName(const std::string& name);
  int Size() const;  // points
  void SetSize(int points);
  int Height() const { return height_; }  // pixels, negative for character height
  void SetHeight(int pixels);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Style() const { return style_; }  // fsBold | fsItalic | ...
  void SetStyle(int style);
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);

  // Called after every change (the owner propagates the font to its children).
  std::function<void()> OnChange;

 private:
  void Changed();

  std::string name_ = "Arial";
  int height_ = -13;  // size 10 at 96 ppi
  TColor color_ = clBlack;
  int style_ = 0;
  int charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
};

const EnumInfo& FontStyleMembers();  // fsBold, fsItalic, fsUnderline, fsStrikeOut
const EnumInfo& FontPitchNames();

}  // namespace quarlo
