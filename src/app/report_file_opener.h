#pragma once
// The launcher's open step on the report object: the page store is cleared, the
// file is loaded into it and the pages are shown in the preview.
#include <string>

namespace quarlo {

class TfrxReport;

// The launcher's fixed settings of its report object: buttons print, open, save,
// export, find, zoom, page setup, tools and navigator; a non-modal preview at zoom 1; printer
// "Default" and no print-on-sheet paper.
void ConfigureLauncherReport(TfrxReport& report);

class ReportFileOpener {
 public:
  explicit ReportFileOpener(TfrxReport& report) : report_(&report) {}

  // path is in local 8-bit bytes. A missing file loads nothing and shows an empty
  // preview. A malformed one leaves the store empty (an open preview is refreshed on
  // it) and raises the reader's error without showing the preview.
  void operator()(const std::string& path) const;

 private:
  TfrxReport* report_;
};

}  // namespace quarlo
