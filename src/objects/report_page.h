#pragma once
// Pages. TfrxReportPage is the printable page of a prepared report: paper, margins,
// columns and the background (colour, frame and picture, held by an owned picture
// view). Its Width and Height are the paper size in report pixels, kept up to date by
// every paper and orientation change. TfrxDialogPage and TfrxDataPage are the report
// engine's form and data containers; they never appear in prepared pages.

#include <memory>
#include <string>

#include "objects/component.h"
#include "objects/frame.h"
#include "objects/picture_view_graphic.h"
#include "objects/wide_strings.h"
#include "platform/color.h"
#include "platform/print_modes.h"

namespace quarlo {

class TfrxPictureView;
class TfrxSubreport;

const EnumInfo& OrientationNames();  // poPortrait, poLandscape
const EnumInfo& DuplexModeNames();   // dmNone, dmVertical, dmHorizontal, dmSimplex

// The paper a printer offers for new pages.
struct PageDefaults {
  int paperSize = 9;
  double paperWidth = 210, paperHeight = 297;  // millimetres, in `orientation`
  TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
};

class TfrxReportPage : public TfrxPage {
  QUARLO_CLASS(TfrxReportPage)
 public:
  // Columns a page may be split into; a larger count in a document is refused.
  static constexpr int kMaxColumns = 1024;
  // Paper sides beyond this (in millimetres) are refused.
  static constexpr double kMaxPaperSide = 100000;

  explicit TfrxReportPage(TComponent* owner);
  ~TfrxReportPage() override;

  std::string BaseName() const override { return "Page"; }
  std::string GetDescription() const override;
  virtual bool IsDotMatrix() const { return false; }

  TPrinterOrientation Orientation() const { return orientation_; }
  // A different orientation swaps the paper sides and turns the margins.
  virtual void SetOrientation(TPrinterOrientation v);
  double PaperWidth() const { return paperWidth_; }
  double PaperHeight() const { return paperHeight_; }
  // Rounded to 8 decimal places; the paper becomes custom (PaperSize 256).
  virtual void SetPaperWidth(double v);
  virtual void SetPaperHeight(double v);
  int PaperSize() const { return paperSize_; }
  // A number below 256 found in the paper table takes that paper's size (turned for
  // landscape); an unknown number leaves the size as it is.
  virtual void SetPaperSize(int v);
  // Default settings of a new page: 10 mm margins and the printer's default paper,
  // taken as it is (no custom-paper rule).
  virtual void SetDefaults(const PageDefaults& printer);
  double LeftMargin() const { return leftMargin_; }
  void SetLeftMargin(double v) { leftMargin_ = v; }
  double RightMargin() const { return rightMargin_; }
  void SetRightMargin(double v) { rightMargin_ = v; }
  double TopMargin() const { return topMargin_; }
  void SetTopMargin(double v) { topMargin_ = v; }
  double BottomMargin() const { return bottomMargin_; }
  void SetBottomMargin(double v) { bottomMargin_ = v; }
  bool MirrorMargins() const { return mirrorMargins_; }
  void SetMirrorMargins(bool v) { mirrorMargins_ = v; }

  int Columns() const { return columns_; }
  // n > 0 divides the printable width into n columns (ColumnWidth, ColumnPositions);
  // n <= 0 clears the positions.
  void SetColumns(int n);
  double ColumnWidth() const { return columnWidth_; }
  void SetColumnWidth(double v) { columnWidth_ = v; }
  TStringList& ColumnPositions() { return columnPositions_; }
  const TStringList& ColumnPositions() const { return columnPositions_; }

  int Bin() const { return bin_; }
  void SetBin(int v) { bin_ = v; }
  int BinOtherPages() const { return binOtherPages_; }
  void SetBinOtherPages(int v) { binOtherPages_ = v; }
  TfrxDuplexMode Duplex() const { return duplex_; }
  void SetDuplex(TfrxDuplexMode v) { duplex_ = v; }

  // The background: fill colour, frame and picture inside the margins.
  TfrxPictureView& Background() { return *background_; }
  const TfrxPictureView& Background() const { return *background_; }
  TPicture& BackPicture();
  const TPicture& BackPicture() const;
  TColor Color() const;
  void SetColor(TColor v);
  TfrxFrame& Frame();
  const TfrxFrame& Frame() const;
  bool BackPictureVisible() const { return backPictureVisible_; }
  void SetBackPictureVisible(bool v) { backPictureVisible_ = v; }
  bool BackPicturePrintable() const { return backPicturePrintable_; }
  void SetBackPicturePrintable(bool v) { backPicturePrintable_ = v; }

  int PageCount() const { return pageCount_; }
  void SetPageCount(int v) {
    if (v >= 1) pageCount_ = v;
  }

  // Settings of the report engine and the designer: kept, no effect on drawing.
  TfrxComponent* DataSet() const { return dataSet_; }
  void SetDataSet(TfrxComponent* v) { dataSet_ = v; }
  const std::string& DataSetName() const { return dataSetName_; }
  void SetDataSetName(const std::string& v) { dataSetName_ = v; }
  bool EndlessHeight() const { return endlessHeight_; }
  void SetEndlessHeight(bool v) { endlessHeight_ = v; }
  bool EndlessWidth() const { return endlessWidth_; }
  void SetEndlessWidth(bool v) { endlessWidth_ = v; }
  bool LargeDesignHeight() const { return largeDesignHeight_; }
  void SetLargeDesignHeight(bool v) { largeDesignHeight_ = v; }
  const std::string& OutlineText() const { return outlineText_; }
  void SetOutlineText(const std::string& v) { outlineText_ = v; }
  bool PrintIfEmpty() const { return printIfEmpty_; }
  void SetPrintIfEmpty(bool v) { printIfEmpty_ = v; }
  bool PrintOnPreviousPage() const { return printOnPreviousPage_; }
  void SetPrintOnPreviousPage(bool v) { printOnPreviousPage_ = v; }
  bool ResetPageNumbers() const { return resetPageNumbers_; }
  void SetResetPageNumbers(bool v) { resetPageNumbers_ = v; }
  bool TitleBeforeHeader() const { return titleBeforeHeader_; }
  void SetTitleBeforeHeader(bool v) { titleBeforeHeader_ = v; }
  TStringList& HGuides() { return hGuides_; }
  TStringList& VGuides() { return vGuides_; }
  const std::string& OnAfterPrint() const { return onAfterPrint_; }
  void SetOnAfterPrint(const std::string& v) { onAfterPrint_ = v; }
  const std::string& OnBeforePrint() const { return onBeforePrint_; }
  void SetOnBeforePrint(const std::string& v) { onBeforePrint_ = v; }
  const std::string& OnManualBuild() const { return onManualBuild_; }
  void SetOnManualBuild(const std::string& v) { onManualBuild_ = v; }

  // True while the page is drawn on a printer canvas.
  bool IsPrinting() const { return isPrinting_; }
  void SetPrinting(bool v) { isPrinting_ = v; }

  // The subreport that embeds this page, if any (not owned; unlinked on destruction).
  TfrxSubreport* SubReport() const { return subReport_; }

  // Sizes itself to the printable area, arranges its views and bands (bands follow
  // the printable or the column width), then takes the paper size again.
  void ArrangeChildren() override;

 protected:
  // Width and Height from the paper size: Round(mm x fr01cm), half to even.
  void UpdateDimensions();
  // Stores the paper size without the custom-paper and rounding rules.
  void StorePaperSize(double width, double height);

 private:
  friend class TfrxSubreport;

  TPrinterOrientation orientation_ = TPrinterOrientation::poPortrait;
  double paperWidth_ = 210;
  double paperHeight_ = 297;
  int paperSize_ = 9;
  double leftMargin_ = 0, rightMargin_ = 0, topMargin_ = 0, bottomMargin_ = 0;
  bool mirrorMargins_ = false;
  int columns_ = 0;
  double columnWidth_ = 0;
  TStringList columnPositions_;
  int bin_ = 7;
  int binOtherPages_ = 7;
  TfrxDuplexMode duplex_ = TfrxDuplexMode::dmNone;
  std::unique_ptr<TfrxPictureView> background_;
  bool backPictureVisible_ = true;
  bool backPicturePrintable_ = true;
  int pageCount_ = 1;
  TfrxComponent* dataSet_ = nullptr;
  std::string dataSetName_;
  bool endlessHeight_ = false;
  bool endlessWidth_ = false;
  bool largeDesignHeight_ = false;
  std::string outlineText_;
  bool printIfEmpty_ = true;
  bool printOnPreviousPage_ = false;
  bool resetPageNumbers_ = false;
  bool titleBeforeHeader_ = true;
  TStringList hGuides_, vGuides_;
  std::string onAfterPrint_, onBeforePrint_, onManualBuild_;
  bool isPrinting_ = false;
  TfrxSubreport* subReport_ = nullptr;
};

// A dialog form of the report engine: its objects are positioned relative to it.
class TfrxDialogPage : public TfrxPage {
  QUARLO_CLASS(TfrxDialogPage)
 public:
  explicit TfrxDialogPage(TComponent* owner);
  bool IsDialogPage() const override { return true; }
};

// The container of the report engine's data components.
class TfrxDataPage : public TfrxPage {
  QUARLO_CLASS(TfrxDataPage)
 public:
  explicit TfrxDataPage(TComponent* owner);
};

}  // namespace quarlo
