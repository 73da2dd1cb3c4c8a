#include "print/qt/desktop_print_services.h"

#include <utility>

#include "print/qt/print_dialog.h"
#include "print/qt/spooler_printers.h"
#include "resources/resources.h"

namespace quarlo {

PrintJobServices WithDesktopPrintServices(PrintJobServices services) {
  if (!services.printers) services.printers = &GlobalPrinters();
  if (!services.showDialog)
    services.showDialog = [](TfrxReport& report, TfrxDuplexMode& duplexChoice) {
      return ShowPrintDialog(report, duplexChoice);
    };
  if (!services.showError)
    services.showError = [](const std::string& message) { frxResources().ShowErrorMsg(message); };
  return services;
}

void InstallDesktopPrintJob() { InstallPrintJob(WithDesktopPrintServices()); }

}  // namespace quarlo
