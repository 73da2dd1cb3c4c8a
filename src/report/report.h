#pragma once
// TfrxReport: the report object. It owns the page store, the option objects that
// steer the preview and printing, the error list and the text layout engine of its
// pages. The window-system parts it drives (error box, progress window, preview) are
// reached through interfaces the Qt layer installs, so this stays free of widgets.

#include <memory>
#include <set>
#include <string>

#include "report/engine_options.h"
#include "report/preview_options.h"
#include "report/print_options.h"
#include "report/report_events.h"
#include "report/report_options.h"
#include "platform/settings_store.h"
#include "document/preview_pages.h"
#include "objects/component.h"
#include "objects/wide_strings.h"

namespace quarlo {

class TfrxDrawText;
class PreviewControl;
class PreviewWindow;
class ProgressWindow;

class TfrxReport : public TfrxComponent {
  QUARLO_CLASS(TfrxReport)
 public:
  static constexpr const char* kVersion = "4.9.32";
  static constexpr const char* kDefaultIniFile = "\\Software\\Vozarera";

  explicit TfrxReport(TComponent* owner);
  ~TfrxReport() override;

  bool IsReport() const override { return true; }

  // The loaded prepared report; created with the report and owned by it.
  TfrxPreviewPages& PreviewPages() { return *previewPages_; }
  const TfrxPreviewPages& PreviewPages() const { return *previewPages_; }

  TfrxEngineOptions& EngineOptions() { return engineOptions_; }
  const TfrxEngineOptions& EngineOptions() const { return engineOptions_; }
  TfrxPreviewOptions& PreviewOptions() { return previewOptions_; }
  const TfrxPreviewOptions& PreviewOptions() const { return previewOptions_; }
  TfrxPrintOptions& PrintOptions() { return printOptions_; }
  const TfrxPrintOptions& PrintOptions() const { return printOptions_; }
  TfrxReportOptions& ReportOptions() { return reportOptions_; }
  const TfrxReportOptions& ReportOptions() const { return reportOptions_; }
  // Assigning an option object copies its values.
  void SetEngineOptions(const TfrxEngineOptions& v) { engineOptions_ = v; }
  void SetPreviewOptions(const TfrxPreviewOptions& v) { previewOptions_ = v; }
  void SetPrintOptions(const TfrxPrintOptions& v) { printOptions_ = v; }
  void SetReportOptions(const TfrxReportOptions& v) { reportOptions_ = v; }

  // Sorted, without duplicates.
  std::set<std::string>& Errors() { return errors_; }
  const std::set<std::string>& Errors() const { return errors_; }

  // Set by the progress window's cancel button, checked by long loops.
  bool Terminated() const { return terminated_; }
  void SetTerminated(bool v) { terminated_ = v; }
  // Names the per-user settings store: a registry-style key when it begins with
  // "\Software\", otherwise the path of an ini file.
  const std::string& IniFile() const { return iniFile_; }
  void SetIniFile(const std::string& v) { iniFile_ = v; }
  const std::string& Version() const { return version_; }
  bool DotMatrixReport() const { return dotMatrixReport_; }
  void SetDotMatrixReport(bool v) { dotMatrixReport_ = v; }
  bool ShowProgress() const { return showProgress_; }
  void SetShowProgress(bool v) { showProgress_ = v; }
  bool OldStyleProgress() const { return oldStyleProgress_; }
  void SetOldStyleProgress(bool v) { oldStyleProgress_ = v; }
  // Kept for the report engine; scripts never run here.
  const std::string& ScriptLanguage() const { return scriptLanguage_; }
  void SetScriptLanguage(const std::string& v) { scriptLanguage_ = v; }
  TStringList& ScriptText() { return scriptText_; }
  const TStringList& ScriptText() const { return scriptText_; }

  // The text layout engine of this report's text objects.
  TfrxDrawText& DrawText() { return *drawText_; }

  // Reads the report's own element; the reader's errors join Errors.
  void LoadFromStream(Stream& stream) override;

  ReportEvents& Events() { return events_; }
  const ReportEvents& Events() const { return events_; }

  // By EngineOptions.NewSilentMode: an error box (simMessageBoxes), nothing
  // (simSilent) or an Exception with text (simReThrow). text is UTF-8.
  void ReportError(const std::string& text);
  // Errors, headed by resource "clErrors", through ReportError; nothing when empty.
  void ReportCollectedErrors();

  // The per-user settings store named by IniFile; the caller frees it.
  std::unique_ptr<SettingsStoreBase> SettingsStore() const { return OpenSettingsStore(iniFile_); }

  // Shows PreviewPages in the open preview of this report, else in a new preview
  // window made by the registered preview host. Raises nothing.
  void ShowPreparedReport();
  // The control showing this report, or null; not owned.
  PreviewControl* Preview() const { return preview_; }
  // Setting it takes the report away from a previous control and gives it, with the
  // pages, to the new one, which attaches.
  void SetPreview(PreviewControl* control);
  // Called by a control being destroyed: the report no longer names it.
  void ForgetPreview(PreviewControl* control);
  // The window made by ShowPreparedReport, or null; not owned.
  PreviewWindow* PreviewForm() const { return previewForm_; }
  // Text for the preview window's status bar (hint area when hint); then lets
  // pending messages run.
  void ShowStatusText(const std::string& text, bool hint);

  // Progress of a run, an export or a print job, shown in a progress window whose
  // cancel button sets Terminated at the next step.
  void ProgressStart(TfrxProgressType kind);
  void ProgressStep(TfrxProgressType kind, int progress);
  void ProgressStop(TfrxProgressType kind);
  // Whether a run is on its last pass: a single-pass run always is.
  bool FinalPass() const { return finalPass_; }
  void SetFinalPass(bool v) { finalPass_ = v; }

  // A view clicked in the preview: raises OnDblClickObject or OnClickObject.
  void ClickObject(TfrxView* view, TMouseButton button, TShiftState shift, bool& modified,
                   bool doubleClick);

 private:
  void ClosePreview();

  TfrxEngineOptions engineOptions_;
  TfrxPreviewOptions previewOptions_;
  TfrxPrintOptions printOptions_;
  TfrxReportOptions reportOptions_;
  std::set<std::string> errors_;
  bool terminated_ = false;
  std::string iniFile_ = kDefaultIniFile;
  std::string version_ = kVersion;
  bool dotMatrixReport_ = false;
  bool showProgress_ = true;
  bool oldStyleProgress_ = false;
  std::string scriptLanguage_ = "PascalScript";
  TStringList scriptText_;
  std::unique_ptr<TfrxDrawText> drawText_;
  ReportEvents events_;
  PreviewControl* preview_ = nullptr;
  PreviewWindow* previewForm_ = nullptr;
  std::unique_ptr<ProgressWindow> progress_;
  bool finalPass_ = true;
  // Last, so it goes first: the pages refer to the report while they are freed.
  std::unique_ptr<TfrxPreviewPages> previewPages_;
};

}  // namespace quarlo
