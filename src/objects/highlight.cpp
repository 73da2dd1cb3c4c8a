#include "objects/highlight.h"

namespace quarlo {

const ClassInfo& TfrxHighlight::StaticClass() {
  static const ClassInfo info = [] {
    using H = TfrxHighlight;
    auto b = QUARLO_CLASS_BUILDER(TfrxHighlight, TPersistent);
    b.Bool("Active", &H::Active, &H::SetActive).Default(false);
    b.Object<TFont>("Font", [](const H& h) { return &h.font_; });
    b.Integer("Color", &H::Color, &H::SetColor).Default(clTransparent);
    b.String("Condition", &H::Condition, &H::SetCondition);
    return b.Build();
  }();
  return info;
}

TfrxHighlight::TfrxHighlight() { font_.SetColor(clRed); }

TfrxHighlight::TfrxHighlight(const TfrxHighlight& other)
    : TPersistent(other),
      active_(other.active_),
      font_(other.font_),
      color_(other.color_),
      condition_(other.condition_) {}

TfrxHighlight& TfrxHighlight::operator=(const TfrxHighlight& other) {
  if (this == &other) return *this;
  active_ = other.active_;
  font_ = other.font_;
  color_ = other.color_;
  condition_ = other.condition_;
  return *this;
}

bool TfrxHighlight::operator==(const TfrxHighlight& other) const {
  return active_ == other.active_ && font_ == other.font_ && color_ == other.color_ &&
         condition_ == other.condition_;
}

bool TfrxHighlight::HasCondition() const {
  for (char c : condition_) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return true;
  }
  return false;
}

}  // namespace quarlo
