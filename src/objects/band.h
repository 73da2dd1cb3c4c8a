#pragma once
// Bands: the horizontal (or vertical) strips of a page that hold the views. In a
// prepared page a band only positions its children; its many settings belong to the
// report engine and are kept so that pages can be written back. Every band holds all
// of them; each band class publishes the ones it uses.

#include <stdexcept>
#include <string>
#include <string_view>

#include "objects/component.h"

namespace quarlo {

class TfrxChild;

class TfrxBand : public TfrxReportComponent {
  QUARLO_CLASS(TfrxBand)
 public:
  explicit TfrxBand(TComponent* owner);
  ~TfrxBand() override;

  // On a dot-matrix page Left snaps to the character grid, Top and Height to rows.
  void SetLeft(double value) override;
  void SetTop(double value) override;
  void SetHeight(double value) override;

  bool Vertical() const { return vertical_; }
  void SetVertical(bool v) { vertical_ = v; }
  // The band printed after this one (not owned). Fails with "Circular child reference
  // is not allowed" when the chain of children would lead back to this band.
  TfrxChild* Child() const { return child_; }
  void SetChild(TfrxChild* child);
  // Data set of a data band (not owned); data sets live outside prepared pages.
  TfrxComponent* DataSet() const { return dataSet_; }
  void SetDataSet(TfrxComponent* v) { dataSet_ = v; }

  bool AllowSplit() const { return allowSplit_; }
  void SetAllowSplit(bool v) { allowSplit_ = v; }
  bool FooterAfterEach() const { return footerAfterEach_; }
  void SetFooterAfterEach(bool v) { footerAfterEach_ = v; }
  bool KeepChild() const { return keepChild_; }
  void SetKeepChild(bool v) { keepChild_ = v; }
  bool KeepFooter() const { return keepFooter_; }
  void SetKeepFooter(bool v) { keepFooter_ = v; }
  bool KeepHeader() const { return keepHeader_; }
  void SetKeepHeader(bool v) { keepHeader_ = v; }
  bool KeepTogether() const { return keepTogether_; }
  void SetKeepTogether(bool v) { keepTogether_ = v; }
  bool PrintChildIfInvisible() const { return printChildIfInvisible_; }
  void SetPrintChildIfInvisible(bool v) { printChildIfInvisible_ = v; }
  bool PrintIfDetailEmpty() const { return printIfDetailEmpty_; }
  void SetPrintIfDetailEmpty(bool v) { printIfDetailEmpty_ = v; }
  bool StartNewPage() const { return startNewPage_; }
  void SetStartNewPage(bool v) { startNewPage_ = v; }
  bool Stretched() const { return stretched_; }
  void SetStretched(bool v) { stretched_ = v; }
  bool ReprintOnNewPage() const { return reprintOnNewPage_; }
  void SetReprintOnNewPage(bool v) { reprintOnNewPage_ = v; }
  bool DrillDown() const { return drillDown_; }
  void SetDrillDown(bool v) { drillDown_ = v; }
  bool ExpandDrillDown() const { return expandDrillDown_; }
  void SetExpandDrillDown(bool v) { expandDrillDown_ = v; }
  bool ResetPageNumbers() const { return resetPageNumbers_; }
  void SetResetPageNumbers(bool v) { resetPageNumbers_ = v; }
  bool ShowFooterIfDrillDown() const { return showFooterIfDrillDown_; }
  void SetShowFooterIfDrillDown(bool v) { showFooterIfDrillDown_ = v; }
  bool ShowChildIfDrillDown() const { return showChildIfDrillDown_; }
  void SetShowChildIfDrillDown(bool v) { showChildIfDrillDown_ = v; }
  bool HideIfSingleDataRecord() const { return hideIfSingleDataRecord_; }
  void SetHideIfSingleDataRecord(bool v) { hideIfSingleDataRecord_ = v; }
  bool PrintOnFirstPage() const { return printOnFirstPage_; }
  void SetPrintOnFirstPage(bool v) { printOnFirstPage_ = v; }
  bool PrintOnLastPage() const { return printOnLastPage_; }
  void SetPrintOnLastPage(bool v) { printOnLastPage_ = v; }
  bool PrintOnTop() const { return printOnTop_; }
  void SetPrintOnTop(bool v) { printOnTop_ = v; }
  int Columns() const { return columns_; }
  void SetColumns(int v) { columns_ = v; }
  int RowCount() const { return rowCount_; }
  void SetRowCount(int v) { rowCount_ = v; }
  double ColumnWidth() const { return columnWidth_; }
  void SetColumnWidth(double v) { columnWidth_ = v; }
  double ColumnGap() const { return columnGap_; }
  void SetColumnGap(double v) { columnGap_ = v; }
  const std::string& DataSetName() const { return dataSetName_; }
  void SetDataSetName(const std::string& v) { dataSetName_ = v; }
  const std::string& OutlineText() const { return outlineText_; }
  void SetOutlineText(const std::string& v) { outlineText_ = v; }
  const std::string& Condition() const { return condition_; }
  void SetCondition(const std::string& v) { condition_ = v; }
  const std::string& DrillName() const { return drillName_; }
  void SetDrillName(const std::string& v) { drillName_ = v; }
  const std::string& OnMasterDetail() const { return onMasterDetail_; }
  void SetOnMasterDetail(const std::string& v) { onMasterDetail_ = v; }
  const std::string& OnAfterCalcHeight() const { return onAfterCalcHeight_; }
  void SetOnAfterCalcHeight(const std::string& v) { onAfterCalcHeight_ = v; }
  const std::string& OnAfterPrint() const { return onAfterPrint_; }
  void SetOnAfterPrint(const std::string& v) { onAfterPrint_ = v; }
  const std::string& OnBeforePrint() const { return onBeforePrint_; }
  void SetOnBeforePrint(const std::string& v) { onBeforePrint_ = v; }

  // Index of the band's class in the table of band kinds (report title 0 ... overlay
  // 17); -1 for bands outside it (the null band).
  int BandNumber() const;

  // Bands draw nothing; their views are drawn by the page.
  void Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
            double offsetY) override {}

 protected:
  bool AlwaysWritesTopDifference() const override { return true; }

 private:
  bool OnDotMatrixPage() const;

  bool vertical_ = false;
  TfrxChild* child_ = nullptr;
  TfrxComponent* dataSet_ = nullptr;
  bool allowSplit_ = false;
  bool footerAfterEach_ = false;
  bool keepChild_ = false;
  bool keepFooter_ = false;
  bool keepHeader_ = false;
  bool keepTogether_ = false;
  bool printChildIfInvisible_ = false;
  bool printIfDetailEmpty_ = false;
  bool startNewPage_ = false;
  bool stretched_ = false;
  bool reprintOnNewPage_ = false;
  bool drillDown_ = false;
  bool expandDrillDown_ = false;
  bool resetPageNumbers_ = false;
  bool showFooterIfDrillDown_ = false;
  bool showChildIfDrillDown_ = false;
  bool hideIfSingleDataRecord_ = false;
  bool printOnFirstPage_ = false;
  bool printOnLastPage_ = false;
  bool printOnTop_ = false;
  int columns_ = 0;
  int rowCount_ = 0;
  double columnWidth_ = 0;
  double columnGap_ = 0;
  std::string dataSetName_;
  std::string outlineText_;
  std::string condition_;
  std::string drillName_;
  std::string onMasterDetail_;
  std::string onAfterCalcHeight_;
  std::string onAfterPrint_;
  std::string onBeforePrint_;
};

// A data band: one per record of its data set.
class TfrxDataBand : public TfrxBand {
  QUARLO_CLASS(TfrxDataBand)
 public:
  explicit TfrxDataBand(TComponent* owner);
};
class TfrxMasterData : public TfrxDataBand {
  QUARLO_CLASS(TfrxMasterData)
 public:
  explicit TfrxMasterData(TComponent* owner);
};
class TfrxDetailData : public TfrxDataBand {
  QUARLO_CLASS(TfrxDetailData)
 public:
  explicit TfrxDetailData(TComponent* owner);
};
class TfrxSubdetailData : public TfrxDataBand {
  QUARLO_CLASS(TfrxSubdetailData)
 public:
  explicit TfrxSubdetailData(TComponent* owner);
};
class TfrxDataBand4 : public TfrxDataBand {
  QUARLO_CLASS(TfrxDataBand4)
 public:
  explicit TfrxDataBand4(TComponent* owner);
};
class TfrxDataBand5 : public TfrxDataBand {
  QUARLO_CLASS(TfrxDataBand5)
 public:
  explicit TfrxDataBand5(TComponent* owner);
};
class TfrxDataBand6 : public TfrxDataBand {
  QUARLO_CLASS(TfrxDataBand6)
 public:
  explicit TfrxDataBand6(TComponent* owner);
};
class TfrxHeader : public TfrxBand {
  QUARLO_CLASS(TfrxHeader)
 public:
  explicit TfrxHeader(TComponent* owner);
};
class TfrxFooter : public TfrxBand {
  QUARLO_CLASS(TfrxFooter)
 public:
  explicit TfrxFooter(TComponent* owner);
};
class TfrxGroupHeader : public TfrxBand {
  QUARLO_CLASS(TfrxGroupHeader)
 public:
  explicit TfrxGroupHeader(TComponent* owner);
};
class TfrxGroupFooter : public TfrxBand {
  QUARLO_CLASS(TfrxGroupFooter)
 public:
  explicit TfrxGroupFooter(TComponent* owner);
};
// Starts with PrintOnFirstPage set.
class TfrxPageHeader : public TfrxBand {
  QUARLO_CLASS(TfrxPageHeader)
 public:
  explicit TfrxPageHeader(TComponent* owner);
};
// Starts with PrintOnFirstPage and PrintOnLastPage set.
class TfrxPageFooter : public TfrxBand {
  QUARLO_CLASS(TfrxPageFooter)
 public:
  explicit TfrxPageFooter(TComponent* owner);
};
class TfrxColumnHeader : public TfrxBand {
  QUARLO_CLASS(TfrxColumnHeader)
 public:
  explicit TfrxColumnHeader(TComponent* owner);
};
class TfrxColumnFooter : public TfrxBand {
  QUARLO_CLASS(TfrxColumnFooter)
 public:
  explicit TfrxColumnFooter(TComponent* owner);
};
class TfrxReportTitle : public TfrxBand {
  QUARLO_CLASS(TfrxReportTitle)
 public:
  explicit TfrxReportTitle(TComponent* owner);
};
class TfrxReportSummary : public TfrxBand {
  QUARLO_CLASS(TfrxReportSummary)
 public:
  explicit TfrxReportSummary(TComponent* owner);
};
class TfrxChild : public TfrxBand {
  QUARLO_CLASS(TfrxChild)
 public:
  explicit TfrxChild(TComponent* owner);
};
class TfrxOverlay : public TfrxBand {
  QUARLO_CLASS(TfrxOverlay)
 public:
  explicit TfrxOverlay(TComponent* owner);
};
// Holds the objects placed outside any band.
class TfrxNullBand : public TfrxBand {
  QUARLO_CLASS(TfrxNullBand)
 public:
  explicit TfrxNullBand(TComponent* owner);
};

}  // namespace quarlo
