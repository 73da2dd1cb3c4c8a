#pragma once
// Dot-matrix text: positions and sizes snap to the character grid, the font follows
// the dot-matrix font rule, and the text sits without gaps in its cells.

#include <string>

#include "objects/memo_view.h"

namespace quarlo {

class TfrxDMPMemoView : public TfrxCustomMemoView {
  QUARLO_CLASS(TfrxDMPMemoView)
 public:
  explicit TfrxDMPMemoView(TComponent* owner);

  // Left snaps to whole cells (truncated for a right-aligned object), Top and Height
  // to whole rows, Width to whole cells.
  void SetLeft(double value) override;
  void SetTop(double value) override;
  void SetWidth(double value) override;
  void SetHeight(double value) override;

  int FontStyle() const { return fontStyle_; }
  // Turns ParentFont off and applies the font rule and the cell settings.
  void SetFontStyle(int styles);
  // Following the parent's font also takes the dot-matrix page's FontStyle.
  void SetParentFont(bool value) override;
  // A font change never turns ParentFont off here.
  void NotifyFontChanged() override {}

  bool TruncOutboundText() const { return truncOutboundText_; }
  void SetTruncOutboundText(bool v) { truncOutboundText_ = v; }

  // The frame sits half a cell outside the text on every side; background and text
  // keep the view's own rectangle.
  void PaintFrame() override;

  // Whole rows / whole cells of the base result.
  double CalcHeight() override;
  double CalcWidth() override;

  std::string GetDescription() const override;
  // Text attributes, then FontStyle where it differs.
  std::string WriteDifferences(const TfrxComponent& tmpl) const override;

 private:
  void ApplyCellSettings();

  int fontStyle_ = 0;
  bool truncOutboundText_ = false;
};

}  // namespace quarlo
