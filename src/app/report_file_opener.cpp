#include "app/report_file_opener.h"

#include "report/preview_host.h"
#include "report/report.h"

namespace quarlo {

void ConfigureLauncherReport(TfrxReport& report) {
  report.SetDotMatrixReport(false);
  report.SetIniFile(TfrxReport::kDefaultIniFile);
  report.PreviewOptions().SetButtons(
      PreviewButtonBit(pbPrint) | PreviewButtonBit(pbLoad) | PreviewButtonBit(pbSave) | PreviewButtonBit(pbExport) | PreviewButtonBit(pbFind) |
      PreviewButtonBit(pbZoom) | PreviewButtonBit(pbPageSetup) | PreviewButtonBit(pbTools) |
      PreviewButtonBit(pbNavigator));
  report.PreviewOptions().SetModal(false);
  report.PreviewOptions().SetZoom(1.0);
  report.PrintOptions().SetPrinter("Default");
  report.PrintOptions().SetPrintOnSheet(0);
  report.SetScriptLanguage("PascalScript");
}

void ReportFileOpener::operator()(const std::string& path) const {
  TfrxPreviewPages& pages = report_->PreviewPages();
  pages.Clear();
  try {
    pages.LoadFromFile(path, false);
  } catch (...) {
    // What was read before the error has no source pages to build from: the store
    // is emptied, and a preview still open shows that instead of unbuildable pages.
    pages.Clear();
    if (PreviewControl* preview = report_->Preview()) preview->Attach();
    throw;
  }
  report_->ShowPreparedReport();
}

}  // namespace quarlo
