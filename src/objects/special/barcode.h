#pragma once
// TfrxBarcode: the barcode generator that the barcode object drives. From a symbology,
// a text and two width parameters it builds an element pattern, one character per bar
// or space (see ElementOf), from which every size and every painted bar follows.
// Plain in-memory state; the barcode object copies its properties in before each use.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "objects/font.h"
#include "objects/special/barcode_types.h"
#include "platform/color.h"

namespace quarlo {

struct BarElement {
  int width = 0;  // in picture units: the width of the element's class
  BarElementKind kind = BarElementKind::Space;
};

class TfrxBarcode {
 public:
  static constexpr const char* kClassName = "TfrxBarcode";
  // Longer texts are refused: no symbol is read that long, and the pattern, the sizes
  // and the painting all grow with it.
  static constexpr size_t kMaxTextLength = 65536;

  TfrxBarcode();

  const std::string& Text() const { return text_; }
  // A text given here is always data, even if it equals the last build's rewrite.
  void SetText(std::string text) {
    text_ = std::move(text);
    lastRewrite_.reset();
  }
  std::int32_t Modul() const { return modul_; }
  void SetModul(std::int32_t modul) { modul_ = modul; }
  double Ratio() const { return ratio_; }
  void SetRatio(double ratio) { ratio_ = ratio; }
  TfrxBarcodeType Typ() const { return typ_; }
  void SetTyp(TfrxBarcodeType typ) { typ_ = typ; }
  bool Checksum() const { return checksum_; }
  void SetChecksum(bool checksum) { checksum_ = checksum; }
  TfrxCheckSumMethod CheckSumMethod() const { return checkSumMethod_; }
  void SetCheckSumMethod(TfrxCheckSumMethod method) { checkSumMethod_ = method; }

  // Painting parameters, held here for the barcode object's painter.
  double Angle() const { return angle_; }
  void SetAngle(double angle) { angle_ = angle; }
  std::int32_t Height() const { return height_; }
  void SetHeight(std::int32_t height) { height_ = height; }
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }
  TColor ColorBar() const { return colorBar_; }
  void SetColorBar(TColor color) { colorBar_ = color; }
  // Font of the human-readable text; "Arial", 9 points unless the owner sets another.
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font) { font_ = font; }
  int BarOriginX() const { return barOriginX_; }
  int BarOriginY() const { return barOriginY_; }
  void SetBarOrigin(int x, int y) {
    barOriginX_ = x;
    barOriginY_ = y;
  }

  // The element pattern of Text. Computes the width classes first, may rewrite Text
  // (trimmed, padded, check digit appended; kept even when it then throws) and throws
  // quarlo::Exception with the user-facing message on bad input. Building again over
  // a text that the previous build rewrote starts from that build's input, so sizing
  // and then painting the same symbol never appends a second check digit.
  std::string BuildPattern();

  // Total width of the pattern in picture units; builds the pattern (and so may throw).
  std::int32_t Width();

  // Clamps Ratio for the current type (storing it back) and recomputes the classes.
  void ComputeModuleWidths();
  // Width of class 0..3 as last computed; 0 for any other index.
  int ModuleWidth(int widthClass) const;

  // The digits followed by their check digit under CheckSumMethod.
  std::string AppendCheckDigit(const std::string& digits) const;

  // Width and kind of one pattern character; throws "TfrxBarcode: internal Error" for a
  // character outside the element alphabet.
  BarElement ElementOf(char element) const;

 private:
  std::string EncodeText();

  struct Rewrite {
    std::string from;
    std::string to;
    TfrxBarcodeType typ;
    bool checksum;
    TfrxCheckSumMethod method;
  };

  std::string text_;
  std::int32_t modul_ = 1;
  double ratio_ = 2.0;
  TfrxBarcodeType typ_ = bcCodeEAN13;
  bool checksum_ = false;
  TfrxCheckSumMethod checkSumMethod_ = csmModulo10;
  double angle_ = 0.0;
  std::int32_t height_ = 0;
  TColor color_ = clWhite;
  TColor colorBar_ = clBlack;
  TFont font_;
  int barOriginX_ = 0;
  int barOriginY_ = 0;
  std::array<std::int8_t, 4> modules_{1, 2, 3, 4};
  std::optional<Rewrite> lastRewrite_;
};

}  // namespace quarlo
