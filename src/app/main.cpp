// quarlo: the desktop viewer. With a file name argument (as a file manager's "Open
// with" passes it) that file is opened at once; without one the launcher waits.
#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/launcher_window.h"
#include "report/report.h"
#include "report/report_classes.h"
#include "app/report_file_opener.h"
#include "app/report_ui_services.h"
#include "app/version.h"
#include "platform/qt/qt_platform.h"
#include "preview/preview_form.h"
#include "resources/qt/resource_services.h"

int main(int argc, char** argv) {
  // Answered before any window system is touched, so it works without a display.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("quarlo %s\n", quarlo::QuarloVersion());
    return 0;
  }
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::printf("usage: quarlo [FILE.fp3]\n"
                "Shows and prints prepared reports; with a file it is opened at once.\n"
                "  --version  print the version and exit\n");
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/quarlo/images/quarlo.svg")));
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
