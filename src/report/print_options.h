#pragma once
// Options of printing, settled by the print dialog and used by the print job.

#include <string>

#include "objects/property_model.h"
#include "platform/print_modes.h"

namespace quarlo {

const EnumInfo& PrintModeNames();   // pmDefault, pmSplit, pmJoin, pmScale
const EnumInfo& PrintPagesNames();  // ppAll, ppOdd, ppEven

class TfrxPrintOptions : public TPersistent {
  QUARLO_CLASS(TfrxPrintOptions)
 public:
  TfrxPrintOptions();
  TfrxPrintOptions(const TfrxPrintOptions&) = default;
  TfrxPrintOptions& operator=(const TfrxPrintOptions&) = default;

  int Copies() const { return copies_; }
  void SetCopies(int v) { copies_ = v; }
  bool Collate() const { return collate_; }
  void SetCollate(bool v) { collate_ = v; }
  // Page list text such as "1,3-5"; empty for all pages.
  const std::string& PageNumbers() const { return pageNumbers_; }
  void SetPageNumbers(const std::string& v) { pageNumbers_ = v; }
  // Printer name (code page bytes); the default names the default printer.
  const std::string& Printer() const { return printer_; }
  void SetPrinter(const std::string& v) { printer_ = v; }
  TfrxPrintMode PrintMode() const { return printMode_; }
  void SetPrintMode(TfrxPrintMode v) { printMode_ = v; }
  // Paper number of the sheet used by the split, join and scale modes.
  int PrintOnSheet() const { return printOnSheet_; }
  void SetPrintOnSheet(int v) { printOnSheet_ = v; }
  TfrxPrintPages PrintPages() const { return printPages_; }
  void SetPrintPages(TfrxPrintPages v) { printPages_ = v; }
  bool Reverse() const { return reverse_; }
  void SetReverse(bool v) { reverse_ = v; }
  bool ShowDialog() const { return showDialog_; }
  void SetShowDialog(bool v) { showDialog_ = v; }
  bool SwapPageSize() const { return swapPageSize_; }
  void SetSwapPageSize(bool v) { swapPageSize_ = v; }

  // Print-job settings without a published property, never stored.
  int SplitOverlap() const { return splitOverlap_; }  // millimetres between split tiles
  void SetSplitOverlap(int v) { splitOverlap_ = v; }
  TfrxDuplexMode DuplexMode() const { return duplexMode_; }
  void SetDuplexMode(TfrxDuplexMode v) { duplexMode_ = v; }

  // The default printer name: the resource text prDefault in the system code page.
  static std::string DefaultPrinterName();

 private:
  int copies_ = 1;
  bool collate_ = true;
  std::string pageNumbers_;
  std::string printer_;
  TfrxPrintMode printMode_ = TfrxPrintMode::pmDefault;
  int printOnSheet_ = 0;
  TfrxPrintPages printPages_ = TfrxPrintPages::ppAll;
  bool reverse_ = false;
  bool showDialog_ = true;
  bool swapPageSize_ = false;
  int splitOverlap_ = 3;
  TfrxDuplexMode duplexMode_ = TfrxDuplexMode::dmNone;
};

}  // namespace quarlo
