// quarlo: the desktop viewer. With a file name argument (as a file manager's "Open
// with" passes it) that file is opened at once; without one the launcher waits.
#include <QApplication>
#include <QStringList>
#include <QTimer>

#include "app/launcher_window.h"
#include "app/report/report.h"
#include "app/report/report_classes.h"
#include "app/report_file_opener.h"
#include "app/report_ui_services.h"
#include "platform/qt/qt_platform.h"
#include "preview/preview_form.h"
#include "resources/qt/resource_services.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quarlo::InstallQtPlatform();
  quarlo::InstallResourceServices();
  quarlo::InstallReportUiServices();
  // Every class a page may name is known before the first file is read.
  quarlo::RegisterReportClasses();
  quarlo::TfrxPreviewFormHost previewHost;
  quarlo::SetPreviewHost(&previewHost);

  // The report object lives as long as the launcher: declared first, freed last.
  quarlo::TfrxReport report(nullptr);
  quarlo::ConfigureLauncherReport(report);
  quarlo::TmainForm launcher(quarlo::DefaultLauncherServices(quarlo::ReportFileOpener(report)));
  launcher.show();

  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) {
    const QString path = arguments.at(1);
    QTimer::singleShot(0, &launcher, [&launcher, path] { launcher.OpenFile(path); });
  }
  return app.exec();
}
