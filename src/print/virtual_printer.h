#pragma once
// The printer that stands in when no queue is installed: A4 at 600 dpi with the built-in
// paper table, so pages can still be measured and set up. It prints nothing.
#include "print/printers.h"

namespace quarlo {

class TfrxVirtualPrinter : public TfrxCustomPrinter {
 public:
  using TfrxCustomPrinter::TfrxCustomPrinter;

  void Initialize() override;
  void AbortJob() override {}
  void StartJob() override {}
  void StartSheet() override {}
  void StartRawJob() override {}
  void EndJob() override {}
  void EndSheet() override {}
  void EndRawJob() override {}
  void WriteRaw(std::string_view) override {}
  void ApplyViewPaper(int code, double width, double height, TPrinterOrientation orientation) override;
  void ApplyPrintSetup(int code, double width, double height, TPrinterOrientation orientation, int bin,
                       TfrxDuplexMode duplex, int copies) override;
  bool ShowProperties() override { return false; }
};

}  // namespace quarlo
