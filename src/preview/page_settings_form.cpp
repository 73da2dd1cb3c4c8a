#include "preview/page_settings_form.h"

namespace quarlo {

// Placeholder until the dialog is built: the page is left as it is.
TfrxPageSettingsResult ShowPageSettingsForm(TfrxReportPage&, TfrxReport&, QWidget*) { return {}; }

}  // namespace quarlo
