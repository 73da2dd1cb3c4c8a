#include "report/report_progress.h"

#include "report/preview_host.h"
#include "report/report.h"
#include "resources/resources.h"

namespace quarlo {

namespace {

ProgressWindowFactory& Factory() {
  static ProgressWindowFactory factory;
  return factory;
}

std::function<void()>& Pump() {
  static std::function<void()> pump;
  return pump;
}

}  // namespace

void SetProgressWindowFactory(ProgressWindowFactory factory) { Factory() = std::move(factory); }
const ProgressWindowFactory& GetProgressWindowFactory() { return Factory(); }

void SetMessagePump(std::function<void()> pump) { Pump() = std::move(pump); }

void ProcessMessages() {
  if (Pump()) Pump()();
}

std::string FormatWithNumber(const std::string& text, int number) {
  const size_t at = text.find("%d");
  if (at == std::string::npos) return text;
  std::string result = text;
  result.replace(at, 2, std::to_string(number));
  return result;
}

void TfrxReport::ProgressStart(TfrxProgressType kind) {
  if (events_.OnProgressStart) events_.OnProgressStart(*this, kind, 0);
  if (ShowProgress() && (kind != ptRunning || OldStyleProgress())) {
    progress_.reset();
    if (const ProgressWindowFactory& make = GetProgressWindowFactory()) {
      progress_ = make();
      if (progress_) progress_->Execute(0, std::string(), false, true);
    }
  }
  if (kind == ptRunning && preview_) preview_->ReportRunStarted();
  ProcessMessages();
}

void TfrxReport::ProgressStep(TfrxProgressType kind, int progress) {
  if (events_.OnProgress) events_.OnProgress(*this, kind, progress);
  if (progress_) {
    const char* name = "prRunning";
    if (kind == ptPrinting) {
      name = "prPrinting";
    } else if (kind == ptExporting) {
      name = "prExporting";
    } else if (!finalPass_) {
      name = "prRunningFirst";
    }
    progress_->SetMessage(FormatWithNumber(frxResources().Get(name), progress));
    if (progress_->Terminated()) terminated_ = true;
  }
  ProcessMessages();
  // A press handled by this very pump counts now, not one page later.
  if (progress_ && progress_->Terminated()) terminated_ = true;
}

void TfrxReport::ProgressStop(TfrxProgressType kind) {
  if (events_.OnProgressStop) events_.OnProgressStop(*this, kind, 0);
  progress_.reset();
  ProcessMessages();
}

}  // namespace quarlo
