#include "print/qt/print_dialog.h"
#include "print/qt/spooler_printers.h"

#include "report/report.h"
#include "platform/errors.h"
#include "print/qt/print_dialog_form.h"
#include "print/printers.h"
#include "resources/resources.h"
#include "resources/qt/resource_text.h"

namespace quarlo {

bool ShowPrintDialog(TfrxReport& report, TfrxDuplexMode& duplexChoice, QWidget* parent) {
  TfrxPrinters& printers = GlobalPrinters();
  if (!printers.HasRealPrinters()) {
    frxResources().ShowErrorMsg(frxResources().Get("clNoPrinters"));
    return false;
  }
  TfrxPrintDialog dialog(printers, parent);
  dialog.TargetReport = &report;
  dialog.DuplexChoice = duplexChoice;
  try {
    if (dialog.Execute() != QDialog::Accepted) return false;
  } catch (const EConvertError& e) {
    frxResources().ShowErrorMsg(e.what());
    return false;
  }
  duplexChoice = dialog.DuplexChoice;
  return true;
}

}  // namespace quarlo
