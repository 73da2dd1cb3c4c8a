#pragma once
// One run of the print job on a printer that is set up and initialized: the page
// sequence in the chosen mode (plain, scale, split or join), the printer brackets, the
// progress window, cancelling, and the errors met while pages are built or drawn.
#include "platform/print_modes.h"
#include "print/print_sequence.h"

namespace quarlo {

class TfrxCustomPrinter;
class TfrxPageList;
class TfrxPreviewPages;
class TfrxPrintOptions;
class TfrxReport;

struct PrintRunSheet {
  // Paper of the scale, split and join modes: its code and size in mm as the printer
  // has it selected (portrait).
  int code = 0;
  double width = 0;
  double height = 0;
};

// The page order, copies and duplex of the report's options as the job walks them.
PrintRunOptions RunOptionsOf(const TfrxPrintOptions& options, TfrxDuplexMode duplexChoice);

// Runs the job for the report's PrintOptions over the listed pages. Errors met while a
// page is built or drawn are collected in the report's Errors (emptied first) and shown
// through ReportError when the run ends.
void RunPrintJob(TfrxPreviewPages& pages, TfrxReport& report, TfrxCustomPrinter& printer,
                 const TfrxPageList& list, TfrxDuplexMode duplexChoice, const PrintRunSheet& sheet);

}  // namespace quarlo
