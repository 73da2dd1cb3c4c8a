#pragma once
// Dot-matrix lines run through the middle of character cells.

#include <string>

#include "objects/line_view.h"

namespace quarlo {

class TfrxDMPLineView : public TfrxCustomLineView {
  QUARLO_CLASS(TfrxDMPLineView)
 public:
  explicit TfrxDMPLineView(TComponent* owner);

  // Left and Top snap to the middle of a cell, Width to whole cells; Height is free.
  void SetLeft(double value) override;
  void SetTop(double value) override;
  void SetWidth(double value) override;

  int FontStyle() const { return fontStyle_; }
  // Turns ParentFont off; the font itself is left alone.
  void SetFontStyle(int styles);
  // Following the parent's font also takes the dot-matrix page's FontStyle.
  void SetParentFont(bool value) override;

  std::string GetDescription() const override;
  // Line attributes, then FontStyle where it differs.
  std::string WriteDifferences(const TfrxComponent& tmpl) const override;

 private:
  int fontStyle_ = 0;
};

}  // namespace quarlo
