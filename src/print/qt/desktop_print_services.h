#pragma once
// The desktop's side of the print job: the spooler's printers, the print dialog and the
// error box, handed to the Qt-free job through PrintJobServices.
#include "print/print_job.h"

namespace quarlo {

// services with every empty member filled with the desktop's own.
PrintJobServices WithDesktopPrintServices(PrintJobServices services = {});

// Makes the print job with the desktop's services the store's PrintPages.
void InstallDesktopPrintJob();

}  // namespace quarlo
