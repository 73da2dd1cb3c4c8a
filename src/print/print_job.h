#pragma once
// The print job: what the page store's PrintPages runs. It settles the options (through
// the print dialog when asked), picks the printer, walks the page list with copies,
// collation, odd/even pages and reverse order, sets the printer up per page or sheet,
// draws each page through PaintPage and restores the options afterwards.
#include <functional>
#include <string>

#include "platform/print_modes.h"

namespace quarlo {

class TfrxPreviewPages;
class TfrxPrinters;
class TfrxReport;

// What the job needs from the world around it. The desktop's own (the spooler's
// printers, the print dialog, the error box) come from WithDesktopPrintServices.
struct PrintJobServices {
  // The printers to print on; null: there is none to print on.
  TfrxPrinters* printers = nullptr;
  // The print dialog: may change the report's PrintOptions, the current printer and
  // its output file, and the duplex choice; false when cancelled. Empty: the job goes on
  // with the options as they stand.
  std::function<bool(TfrxReport& report, TfrxDuplexMode& duplexChoice)> showDialog;
  // A message the job cannot go on after ("no printer", "printer not valid"). Empty:
  // the resources' error message.
  std::function<void(const std::string& message)> showError;
};

// What the job says when its options leave no page to print (a page list naming no
// page of the report, or odd/even pages leaving none).
inline constexpr const char* kNoPageToPrintText = "没有可打印的页面";

// Prints the store's pages for the report that owns them. True when the job ran (also
// when it was cancelled while printing); false without a printer, without an owning
// report, when the dialog was cancelled, or when there is no page to print (after
// showError). The report's preview is locked while the job runs. A page list that is not valid raises
// EConvertError before anything is sent to the printer; the options are restored first.
bool PrintReportPages(TfrxPreviewPages& pages, const PrintJobServices& services = {});

// Makes PrintReportPages with these services the store's print job
// (TfrxPreviewPages::PrintPages).
void InstallPrintJob(PrintJobServices services);

}  // namespace quarlo
