#include "app/report_ui_services.h"

#include <QCoreApplication>

#include "app/progress_window.h"
#include "report/report_progress.h"
#include "platform/qt/settings_store_qt.h"
#include "print/qt/desktop_print_services.h"

namespace quarlo {

namespace {

class QtProgressWindow final : public ProgressWindow {
 public:
  void Execute(int maximum, const std::string& message, bool showBar, bool showCancel) override {
    window_.Execute(maximum, QString::fromStdString(message), showBar, showCancel);
  }
  void SetMessage(const std::string& message) override {
    window_.SetMessage(QString::fromStdString(message));
  }
  void SetPosition(int position) override { window_.SetPosition(position); }
  bool Terminated() const override { return window_.Terminated(); }

 private:
  TfrxProgress window_;
};

}  // namespace

std::unique_ptr<ProgressWindow> NewQtProgressWindow() {
  return std::make_unique<QtProgressWindow>();
}

void InstallReportUiServices() {
  SetProgressWindowFactory(&NewQtProgressWindow);
  SetMessagePump([] { QCoreApplication::processEvents(); });
  InstallQtSettingsStore();
  InstallDesktopPrintJob();
}

}  // namespace quarlo
