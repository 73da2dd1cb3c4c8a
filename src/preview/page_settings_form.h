#pragma once
// The page settings dialog of the preview's page setup.
class QWidget;

namespace quarlo {

class TfrxReport;
class TfrxReportPage;

struct PageSettingsResult {
  bool Accepted = false;
  // "套用全部页面" chosen: the caller applies the edited settings to every page.
  bool ApplyToAll = false;
};

// Shows the dialog modally; on OK the page has been edited in place.
PageSettingsResult ShowPageSettingsForm(TfrxReportPage& page, TfrxReport& report,
                                            QWidget* parent = nullptr);

}  // namespace quarlo
