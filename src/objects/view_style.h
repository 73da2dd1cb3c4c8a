#pragma once
// A named report style: the colour, font and frame a text object takes when the
// report engine applies the style by name. Prepared reports do not carry the style
// list; the class exists so that documents naming it can be read.

#include <string>

#include "objects/font.h"
#include "objects/frame.h"
#include "objects/property_model.h"
#include "platform/color.h"

namespace quarlo {

class TfrxStyleItem : public TPersistent {
  QUARLO_CLASS(TfrxStyleItem)
 public:
  TfrxStyleItem() = default;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  TColor Color() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  TfrxFrame& Frame() { return frame_; }
  const TfrxFrame& Frame() const { return frame_; }

 private:
  std::string name_;
  TColor color_ = clTransparent;
  TFont font_;
  TfrxFrame frame_;
};

}  // namespace quarlo
