#pragma once
// The frame of a view: which sides are drawn, the frame-wide style, width and colour,
// the drop shadow, and one line per side that may differ from the frame.

#include "objects/property_model.h"
#include "platform/color.h"

namespace quarlo {

class DifferenceWriter;

// Frame sides (the Typ set).
inline constexpr int ftLeft = 1;
inline constexpr int ftRight = 2;
inline constexpr int ftTop = 4;
inline constexpr int ftBottom = 8;
inline constexpr int ftAll = ftLeft | ftRight | ftTop | ftBottom;
const EnumInfo& FrameTypMembers();  // ftLeft, ftRight, ftTop, ftBottom

enum TfrxFrameStyle : int {
  fsSolid,
  fsDash,
  fsDot,
  fsDashDot,
  fsDashDotDot,
  fsDouble,
  fsAltDot,
  fsSquare
};
const EnumInfo& FrameStyleNames();

class TfrxFrame;

// One side. Its fields are written only where they differ from the frame's own.
class TfrxFrameLine : public TPersistent {
  QUARLO_CLASS(TfrxFrameLine)
 public:
  TfrxFrameLine() = default;
  explicit TfrxFrameLine(TfrxFrame* frame) : frame_(frame) {}
  // Copies the values; the link to the frame stays.
  TfrxFrameLine(const TfrxFrameLine&) = delete;
  TfrxFrameLine& operator=(const TfrxFrameLine& other);
  bool operator==(const TfrxFrameLine& other) const;

  TColor Color() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  TfrxFrameStyle Style() const { return style_; }
  void SetStyle(TfrxFrameStyle v) { style_ = v; }
  double Width() const { return width_; }
  void SetWidth(double v) { width_ = v; }
  const TfrxFrame* Frame() const { return frame_; }

 private:
  friend class TfrxFrame;
  TfrxFrame* frame_ = nullptr;
  TColor color_ = clBlack;
  TfrxFrameStyle style_ = fsSolid;
  double width_ = 1;
};

class TfrxFrame : public TPersistent {
  QUARLO_CLASS(TfrxFrame)
 public:
  TfrxFrame();
  TfrxFrame(const TfrxFrame& other);
  TfrxFrame& operator=(const TfrxFrame& other);  // all fields and the four lines
  bool operator==(const TfrxFrame& other) const;

  int Typ() const { return typ_; }
  void SetTyp(int v) { typ_ = v & ftAll; }
  bool Has(int side) const { return (typ_ & side) != 0; }
  // Colour, style and width are set on the four lines as well.
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  TfrxFrameStyle Style() const { return style_; }
  void SetStyle(TfrxFrameStyle v);
  double Width() const { return width_; }
  void SetWidth(double v);
  bool DropShadow() const { return dropShadow_; }
  void SetDropShadow(bool v) { dropShadow_ = v; }
  double ShadowWidth() const { return shadowWidth_; }
  void SetShadowWidth(double v) { shadowWidth_ = v; }
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor v) { shadowColor_ = v; }

  TfrxFrameLine& LeftLine() { return left_; }
  TfrxFrameLine& TopLine() { return top_; }
  TfrxFrameLine& RightLine() { return right_; }
  TfrxFrameLine& BottomLine() { return bottom_; }
  const TfrxFrameLine& LeftLine() const { return left_; }
  const TfrxFrameLine& TopLine() const { return top_; }
  const TfrxFrameLine& RightLine() const { return right_; }
  const TfrxFrameLine& BottomLine() const { return bottom_; }

 private:
  int typ_ = 0;
  TColor color_ = clBlack;
  TfrxFrameStyle style_ = fsSolid;
  double width_ = 1;
  bool dropShadow_ = false;
  double shadowWidth_ = 4;
  TColor shadowColor_ = clBlack;
  TfrxFrameLine left_{this}, top_{this}, right_{this}, bottom_{this};
};

// Appends the compact frame attributes of a view (Frame.Color ... Frame.BottomLine.Width)
// in which `frame` differs from the template's frame.
void WriteFrameDifferences(DifferenceWriter& w, const TfrxFrame& frame, const TfrxFrame& tmpl);

}  // namespace quarlo
