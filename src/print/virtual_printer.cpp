#include "print/virtual_printer.h"

#include <utility>

#include "platform/paper_table.h"

namespace quarlo {

void TfrxVirtualPrinter::Initialize() {
  if (initialized_) return;
  for (const TPaperInfo& row : PaperTable()) papers_.push_back({std::string(row.name), row.code});
  dpiX_ = dpiY_ = 600;
  defaultPaper_ = kA4PaperCode;
  defaultOrientation_ = TPrinterOrientation::poPortrait;
  defaultBin_ = kAutoBinCode;
  defaultDuplex_ = kDuplexSimplex;
  ApplyViewPaper(kA4PaperCode, 0, 0, TPrinterOrientation::poPortrait);
  defaultPaperWidth_ = paperWidth_;
  defaultPaperHeight_ = paperHeight_;
  initialized_ = true;
}

void TfrxVirtualPrinter::ApplyViewPaper(int code, double width, double height, TPrinterOrientation orientation) {
  const PaperSize size = code == kCustomPaperCode ? PaperSize{} : PaperDimensions(code);
  if (size.found) {
    width = size.width;
    height = size.height;
    if (orientation == TPrinterOrientation::poLandscape) std::swap(width, height);
  } else if (PlausiblePaperSize(width, height)) {
    code = kCustomPaperCode;
  } else {
    return;  // no such paper: the current one stays
  }
  orientation_ = orientation;
  paper_ = code;
  paperWidth_ = width;
  paperHeight_ = height;
  leftMargin_ = topMargin_ = rightMargin_ = bottomMargin_ = 5;
}

void TfrxVirtualPrinter::ApplyPrintSetup(int code, double width, double height, TPrinterOrientation orientation,
                                         int bin, TfrxDuplexMode, int) {
  ApplyViewPaper(code, width, height, orientation);
  binOverride_ = bin;
}

}  // namespace quarlo
