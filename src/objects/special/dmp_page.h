#pragma once
// The page of a report meant for character printers: its paper snaps to whole
// character cells and its font follows the dot-matrix font rule.

#include "objects/report_page.h"

namespace quarlo {

class TfrxDMPPage : public TfrxReportPage {
  QUARLO_CLASS(TfrxDMPPage)
 public:
  explicit TfrxDMPPage(TComponent* owner);

  bool IsDotMatrix() const override { return true; }

  int FontStyle() const { return fontStyle_; }
  // Applies the font rule and hands the font to every descendant that follows its
  // parent's font.
  void SetFontStyle(int styles);

  // Base setters, then the paper snaps to whole cells.
  void SetPaperWidth(double v) override;
  void SetPaperHeight(double v) override;
  void SetPaperSize(int v) override;

  // Base defaults, then margins of one cell and the paper cut down to whole cells.
  void SetDefaults(const PageDefaults& printer) override;

  // A font change never turns ParentFont off here.
  void NotifyFontChanged() override {}

 private:
  void SnapPaperWidth();
  void SnapPaperHeight();

  int fontStyle_ = 0;
};

}  // namespace quarlo
