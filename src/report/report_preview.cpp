// The report's side of the preview: which window and control show it, and the
// status bar texts it sends there.
#include <exception>

#include "report/preview_host.h"
#include "report/report.h"
#include "report/report_progress.h"
#include "resources/resources.h"

namespace quarlo {

namespace {

PreviewHost*& Host() {
  static PreviewHost* host = nullptr;
  return host;
}

}  // namespace

void SetPreviewHost(PreviewHost* host) { Host() = host; }
PreviewHost* GetPreviewHost() { return Host(); }

void TfrxReport::SetPreview(PreviewControl* control) {
  if (preview_ && preview_ != control) {
    preview_->AssignReport(nullptr, nullptr);
    previewForm_ = nullptr;
  }
  preview_ = control;
  if (!control) {
    previewForm_ = nullptr;
    return;
  }
  control->AssignReport(this, previewPages_.get());
  control->Attach();
}

void TfrxReport::ForgetPreview(PreviewControl* control) {
  if (!control || preview_ != control) return;
  preview_ = nullptr;
  previewForm_ = nullptr;
}

void TfrxReport::ShowPreparedReport() {
  try {
    if (preview_) {
      // The window still open for this report shows the new pages; it stays this
      // report's window, so its status bar keeps receiving the report's texts.
      preview_->AssignReport(this, previewPages_.get());
      preview_->Attach();
      return;
    }
    previewForm_ = nullptr;
    PreviewHost* host = GetPreviewHost();
    if (!host) return;
    PreviewWindow* window = host->CreatePreviewWindow(*this);
    if (!window) return;
    previewForm_ = window;
    preview_ = &window->Control();
    preview_->AssignReport(this, previewPages_.get());
    window->Setup();
    if (events_.OnPreview) events_.OnPreview(*this);
    if (PreviewOptions().Maximized()) window->SetCentred(false);
    if (PreviewOptions().Modal()) {
      window->ShowModal();
      PreviewControl* control = &window->Control();
      host->DestroyPreviewWindow(window);
      ForgetPreview(control);
      if (previewForm_ == window) previewForm_ = nullptr;
    } else {
      window->ShowNonModal(!PreviewOptions().MDIChild());
    }
  } catch (const std::exception& error) {
    // The launcher gets nothing raised from here: the user sees the text instead.
    frxResources().ShowErrorMsg(error.what());
  }
}

void TfrxReport::ShowStatusText(const std::string& text, bool hint) {
  if (previewForm_) previewForm_->ShowStatusText(text, hint);
  ProcessMessages();
}

void TfrxReport::ClickObject(TfrxView* view, TMouseButton button, TShiftState shift,
                             bool& modified, bool doubleClick) {
  const TfrxClickObjectEvent& handler =
      doubleClick ? events_.OnDblClickObject : events_.OnClickObject;
  if (handler) handler(view, button, shift, modified);
}

void TfrxReport::ClosePreview() {
  PreviewWindow* window = previewForm_;
  PreviewControl* control = preview_;
  previewForm_ = nullptr;
  preview_ = nullptr;
  // The control loses the report first: closing may free the window at once or only
  // later, and either way the control must not reach back into this report.
  if (control) control->AssignReport(nullptr, nullptr);
  if (window) window->Close();
}

}  // namespace quarlo
