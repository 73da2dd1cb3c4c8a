#pragma once
// The printers of the machine's print spooler: its queues as TfrxPrinter objects, and
// the process-wide printer list made from them.
#include "print/printers.h"

namespace quarlo {

// The spooler's queues as TfrxPrinter objects.
PrinterSource SpoolerPrinterSource();

// The process-wide list, created from the spooler on first use.
TfrxPrinters& GlobalPrinters();

}  // namespace quarlo
