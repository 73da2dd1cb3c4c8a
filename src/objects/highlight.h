#pragma once
// The conditional look of a text object: when the report engine found its condition
// true it set Active, and the text is then drawn with this font and fill colour.

#include <string>

#include "objects/font.h"
#include "objects/property_model.h"
#include "platform/color.h"

namespace quarlo {

class TfrxHighlight : public TPersistent {
  QUARLO_CLASS(TfrxHighlight)
 public:
  TfrxHighlight();
  TfrxHighlight(const TfrxHighlight& other);
  TfrxHighlight& operator=(const TfrxHighlight& other);
  bool operator==(const TfrxHighlight& other) const;

  bool Active() const { return active_; }
  void SetActive(bool v) { active_ = v; }
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  TColor Color() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  const std::string& Condition() const { return condition_; }
  void SetCondition(const std::string& v) { condition_ = v; }
  // True when the condition holds something other than spaces.
  bool HasCondition() const;

 private:
  bool active_ = false;
  TFont font_;
  TColor color_ = clTransparent;
  std::string condition_;
};

}  // namespace quarlo
