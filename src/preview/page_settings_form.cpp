#include "preview/page_settings_form.h"

#include "preview/page_settings_form_dialog.h"
#include "print/qt/spooler_printers.h"
#include "print/printers.h"

namespace quarlo {

PageSettingsResult ShowPageSettingsForm(TfrxReportPage& page, TfrxReport& report, QWidget* parent) {
  TfrxPageSettingsForm form(page, report, GlobalPrinters(), parent);
  PageSettingsResult result;
  result.Accepted = form.Execute() == QDialog::Accepted;
  result.ApplyToAll = result.Accepted && form.ApplyToAll();
  return result;
}

}  // namespace quarlo
