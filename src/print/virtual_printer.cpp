#include "print/virtual_printer.h"

namespace quarlo {

void TfrxVirtualPrinter::Initialize() {
  dpiX_ = dpiY_ = 600;
  InitializeFromPaperTable();
}

void TfrxVirtualPrinter::ApplyViewPaper(int code, double width, double height, TPrinterOrientation orientation) {
  TakeTablePaper(code, width, height, orientation, true, 5);
}

void TfrxVirtualPrinter::ApplyPrintSetup(int code, double width, double height, TPrinterOrientation orientation,
                                         int bin, TfrxDuplexMode, int) {
  ApplyViewPaper(code, width, height, orientation);
  binOverride_ = bin;
}

}  // namespace quarlo
