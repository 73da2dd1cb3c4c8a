#include "objects/report_page.h"

#include <cmath>
#include <utility>

#include "platform/errors.h"
#include "objects/serializer.h"
#include "objects/band.h"
#include "objects/picture_view.h"
#include "objects/subreport.h"
#include "objects/units.h"
#include "platform/paper_table.h"
#include "resources/resources.h"

namespace quarlo {

const EnumInfo& OrientationNames() {
  static const EnumInfo names{"poPortrait", "poLandscape"};
  return names;
}

const EnumInfo& DuplexModeNames() {
  static const EnumInfo names{"dmNone", "dmVertical", "dmHorizontal", "dmSimplex"};
  return names;
}

namespace {

double RoundTo8Decimals(double v) { return std::nearbyint(v * 1e8) / 1e8; }

void CheckPaperSide(double v) {
  // A side below zero is no paper: it would give the page a negative extent.
  if (!std::isfinite(v) || v < 0 || v > TfrxReportPage::kMaxPaperSide) {
    throw EConvertError("Invalid paper size " + FloatToXML(v));
  }
}

// Bands that span the printable width even on a page with columns.
bool SpansAllColumns(const TfrxBand& band) {
  for (const ClassInfo* c :
       {&TfrxNullBand::StaticClass(), &TfrxReportSummary::StaticClass(),
        &TfrxPageHeader::StaticClass(), &TfrxPageFooter::StaticClass(),
        &TfrxReportTitle::StaticClass(), &TfrxOverlay::StaticClass()}) {
    if (band.InheritsFrom(*c)) return true;
  }
  return false;
}

}  // namespace

// ----------------------------------------------------------- TfrxReportPage

const ClassInfo& TfrxReportPage::StaticClass() {
  static const ClassInfo info = [] {
    using P = TfrxReportPage;
    auto b = QUARLO_CLASS_BUILDER(TfrxReportPage, TfrxPage);
    // Read in this order: the orientation turns the paper, the paper size (always
    // written) overrides the custom size the width and height setters leave behind,
    // and the margins and columns come after the paper they depend on.
    b.Enum("Orientation", OrientationNames(), &P::Orientation, &P::SetOrientation)
        .Default(static_cast<int>(TPrinterOrientation::poPortrait));
    b.Float("PaperWidth", &P::PaperWidth, &P::SetPaperWidth);
    b.Float("PaperHeight", &P::PaperHeight, &P::SetPaperHeight);
    b.Integer("PaperSize", &P::PaperSize, &P::SetPaperSize);
    b.Float("LeftMargin", &P::LeftMargin, &P::SetLeftMargin);
    b.Float("RightMargin", &P::RightMargin, &P::SetRightMargin);
    b.Float("TopMargin", &P::TopMargin, &P::SetTopMargin);
    b.Float("BottomMargin", &P::BottomMargin, &P::SetBottomMargin);
    b.Bool("MirrorMargins", &P::MirrorMargins, &P::SetMirrorMargins).Default(false);
    b.Integer("Columns", &P::Columns, &P::SetColumns).Default(0);
    b.Float("ColumnWidth", &P::ColumnWidth, &P::SetColumnWidth).Default(0.0);
    b.Object<TStringList>("ColumnPositions", [](const P& p) { return &p.columnPositions_; });
    b.Integer("Bin", &P::Bin, &P::SetBin).Default(7);
    b.Integer("BinOtherPages", &P::BinOtherPages, &P::SetBinOtherPages).Default(7);
    b.Object<TPicture>("BackPicture", [](const P& p) { return &p.BackPicture(); });
    b.Bool("BackPictureVisible", &P::BackPictureVisible, &P::SetBackPictureVisible).Default(true);
    b.Bool("BackPicturePrintable", &P::BackPicturePrintable, &P::SetBackPicturePrintable)
        .Default(true);
    b.Integer("PageCount", &P::PageCount, &P::SetPageCount).Default(1);
    b.Integer("Color", &P::Color, &P::SetColor).Default(clTransparent);
    b.Reference<TfrxComponent>("DataSet", &P::DataSet, &P::SetDataSet);
    b.String("DataSetName", &P::DataSetName, &P::SetDataSetName);
    b.Enum("Duplex", DuplexModeNames(), &P::Duplex, &P::SetDuplex)
        .Default(static_cast<int>(TfrxDuplexMode::dmNone));
    b.Object<TfrxFrame>("Frame", [](const P& p) { return &p.Frame(); });
    b.Bool("EndlessHeight", &P::EndlessHeight, &P::SetEndlessHeight).Default(false);
    b.Bool("EndlessWidth", &P::EndlessWidth, &P::SetEndlessWidth).Default(false);
    b.Bool("LargeDesignHeight", &P::LargeDesignHeight, &P::SetLargeDesignHeight).Default(false);
    b.String("OutlineText", &P::OutlineText, &P::SetOutlineText);
    b.Bool("PrintIfEmpty", &P::PrintIfEmpty, &P::SetPrintIfEmpty).Default(true);
    b.Bool("PrintOnPreviousPage", &P::PrintOnPreviousPage, &P::SetPrintOnPreviousPage)
        .Default(false);
    b.Bool("ResetPageNumbers", &P::ResetPageNumbers, &P::SetResetPageNumbers).Default(false);
    b.Bool("TitleBeforeHeader", &P::TitleBeforeHeader, &P::SetTitleBeforeHeader).Default(true);
    b.Object<TStringList>("HGuides", [](const P& p) { return &p.hGuides_; });
    b.Object<TStringList>("VGuides", [](const P& p) { return &p.vGuides_; });
    b.String("OnAfterPrint", &P::OnAfterPrint, &P::SetOnAfterPrint);
    b.String("OnBeforePrint", &P::OnBeforePrint, &P::SetOnBeforePrint);
    b.String("OnManualBuild", &P::OnManualBuild, &P::SetOnManualBuild);
    return b.Build();
  }();
  return info;
}

TfrxReportPage::TfrxReportPage(TComponent* owner)
    : TfrxPage(owner), background_(std::make_unique<TfrxPictureView>(nullptr)) {
  background_->SetColor(clTransparent);
  background_->SetKeepAspectRatio(false);
  UpdateDimensions();
}

TfrxReportPage::~TfrxReportPage() {
  if (subReport_ && subReport_->page_ == this) subReport_->page_ = nullptr;
}

std::string TfrxReportPage::GetDescription() const { return frxResources().Get("obRepPage"); }

TPicture& TfrxReportPage::BackPicture() { return background_->Picture(); }
const TPicture& TfrxReportPage::BackPicture() const { return background_->Picture(); }
TColor TfrxReportPage::Color() const { return background_->Color(); }
void TfrxReportPage::SetColor(TColor v) { background_->SetColor(v); }
TfrxFrame& TfrxReportPage::Frame() { return background_->Frame(); }
const TfrxFrame& TfrxReportPage::Frame() const { return background_->Frame(); }

void TfrxReportPage::UpdateDimensions() {
  TfrxComponent::SetWidth(std::nearbyint(paperWidth_ * fr01cm));
  TfrxComponent::SetHeight(std::nearbyint(paperHeight_ * fr01cm));
}

void TfrxReportPage::StorePaperSize(double width, double height) {
  paperWidth_ = width;
  paperHeight_ = height;
}

void TfrxReportPage::SetOrientation(TPrinterOrientation v) {
  if (v == orientation_) return;
  std::swap(paperWidth_, paperHeight_);
  const double l = leftMargin_, r = rightMargin_, t = topMargin_, b = bottomMargin_;
  if (v == TPrinterOrientation::poLandscape) {
    leftMargin_ = t;
    rightMargin_ = b;
    topMargin_ = r;
    bottomMargin_ = l;
  } else {
    leftMargin_ = b;
    rightMargin_ = t;
    topMargin_ = l;
    bottomMargin_ = r;
  }
  orientation_ = v;
  UpdateDimensions();
}

void TfrxReportPage::SetPaperWidth(double v) {
  CheckPaperSide(v);
  paperWidth_ = RoundTo8Decimals(v);
  paperSize_ = kCustomPaperCode;
  UpdateDimensions();
}

void TfrxReportPage::SetPaperHeight(double v) {
  CheckPaperSide(v);
  paperHeight_ = RoundTo8Decimals(v);
  paperSize_ = kCustomPaperCode;
  UpdateDimensions();
}

void TfrxReportPage::SetPaperSize(int v) {
  paperSize_ = v;
  if (v < kCustomPaperCode) {
    const quarlo::PaperSize size = PaperDimensions(v);
    if (size.found) {
      if (orientation_ == TPrinterOrientation::poLandscape) {
        StorePaperSize(size.height, size.width);
      } else {
        StorePaperSize(size.width, size.height);
      }
    }
  }
  UpdateDimensions();
}

void TfrxReportPage::SetDefaults(const PageDefaults& printer) {
  CheckPaperSide(printer.paperWidth);
  CheckPaperSide(printer.paperHeight);
  leftMargin_ = rightMargin_ = topMargin_ = bottomMargin_ = 10;
  orientation_ = printer.orientation;
  paperSize_ = printer.paperSize;
  StorePaperSize(printer.paperWidth, printer.paperHeight);
  UpdateDimensions();
}

void TfrxReportPage::SetColumns(int n) {
  if (n > kMaxColumns) {
    throw EConvertError("Too many columns: " + std::to_string(n));
  }
  columns_ = n;
  columnPositions_.Clear();
  if (n <= 0) return;
  columnWidth_ = (paperWidth_ - leftMargin_ - rightMargin_) / n;
  for (int i = 0; i < n; ++i) columnPositions_.Add(FloatToXML(i * columnWidth_));
}

void TfrxReportPage::ArrangeChildren() {
  const double printableWidth = (paperWidth_ - leftMargin_ - rightMargin_) * fr01cm;
  const double printableHeight = (paperHeight_ - topMargin_ - bottomMargin_) * fr01cm;
  TfrxComponent::SetWidth(printableWidth);
  TfrxComponent::SetHeight(printableHeight);
  TfrxComponent::ArrangeChildren();
  for (TfrxComponent* child : Objects()) {
    auto* band = As<TfrxBand>(child);
    if (!band) continue;
    if (band->Vertical()) {
      band->SetHeight(printableHeight - band->Top());
    } else if (columns_ > 1 && !SpansAllColumns(*band)) {
      band->SetWidth(columnWidth_ * fr01cm);
    } else {
      band->SetWidth(Width() - band->Left());
    }
    band->ArrangeChildren();
  }
  UpdateDimensions();
}

// ----------------------------------------------------------- TfrxDialogPage

const ClassInfo& TfrxDialogPage::StaticClass() {
  static const ClassInfo info = QUARLO_CLASS_BUILDER(TfrxDialogPage, TfrxPage).Build();
  return info;
}

TfrxDialogPage::TfrxDialogPage(TComponent* owner) : TfrxPage(owner) {}

// ------------------------------------------------------------- TfrxDataPage

const ClassInfo& TfrxDataPage::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxDataPage, TfrxPage);
    b.Float("Height", &TfrxComponent::Height, &TfrxComponent::SetHeight);
    b.Float("Left", &TfrxComponent::Left, &TfrxComponent::SetLeft);
    b.Float("Top", &TfrxComponent::Top, &TfrxComponent::SetTop);
    b.Float("Width", &TfrxComponent::Width, &TfrxComponent::SetWidth);
    return b.Build();
  }();
  return info;
}

TfrxDataPage::TfrxDataPage(TComponent* owner) : TfrxPage(owner) {}

}  // namespace quarlo
