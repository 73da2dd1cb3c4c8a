// quarlo: the desktop viewer. `quarlo FILE` opens the file at once (as a file manager's
// "Open with" passes it); each further file is opened by the program started once more,
// so every report keeps its own window and launcher. Without a file the launcher waits.
#include <QApplication>
#include <QIcon>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <cstdio>

#include "app/command_line.h"
#include "app/launcher_window.h"
#include "app/qt_translations.h"
#include "app/report_file_opener.h"
#include "app/report_ui_services.h"
#include "app/version.h"
#include "platform/qt/qt_platform.h"
#include "preview/preview_control.h"
#include "preview/preview_form.h"
#include "report/report.h"
#include "report/report_classes.h"
#include "resources/qt/resource_services.h"

namespace {

QStringList ArgumentsOf(int argc, char** argv) {
  QStringList out;
  for (int i = 1; i < argc; ++i) out << QString::fromLocal8Bit(argv[i]);
  return out;
}

// Starts the program once more for each file after the first.
void OpenFurtherFiles(const quarlo::ViewerCommandLine& line) {
  for (qsizetype i = 1; i < line.files.size(); ++i) {
    if (!QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                 quarlo::ArgumentsForFile(line.files[i], line.page))) {
      std::fprintf(stderr, "quarlo: cannot start a viewer for %s\n", line.files[i].toLocal8Bit().constData());
    }
  }
}

void ShowPage(quarlo::TfrxReport& report, int page) {
  if (page <= 0) return;
  if (auto* preview = dynamic_cast<quarlo::TfrxPreview*>(report.Preview())) preview->SetCurrentPage(page);
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before any window system is touched, so it works without a display.
  const quarlo::ViewerCommandLine line = quarlo::ParseViewerCommandLine(ArgumentsOf(argc, argv));
  switch (line.action) {
    case quarlo::ViewerCommandLine::Action::Version:
      std::printf("quarlo %s\n", quarlo::QuarloVersion());
      return 0;
    case quarlo::ViewerCommandLine::Action::Help:
      std::fputs(quarlo::ViewerUsageText().toLocal8Bit().constData(), stdout);
      return 0;
    case quarlo::ViewerCommandLine::Action::Usage:
      std::fprintf(stderr, "quarlo: %s\n%s", line.problem.toLocal8Bit().constData(),
                   quarlo::ViewerUsageText().toLocal8Bit().constData());
      return 2;
    case quarlo::ViewerCommandLine::Action::Run: break;
  }
  QApplication app(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/quarlo/images/quarlo.svg")));
  quarlo::InstallChineseQtTranslations(app);
  quarlo::InstallQtPlatform();
  quarlo::InstallResourceServices();
  quarlo::InstallReportUiServices();
  // Every class a page may name is known before the first file is read.
  quarlo::RegisterReportClasses();
  quarlo::PreviewFormHost previewHost;
  quarlo::SetPreviewHost(&previewHost);

  // The report object lives as long as the launcher: declared first, freed last.
  quarlo::TfrxReport report(nullptr);
  quarlo::ConfigureLauncherReport(report);
  quarlo::TmainForm launcher(quarlo::DefaultLauncherServices(quarlo::ReportFileOpener(report)));
  launcher.show();

  OpenFurtherFiles(line);
  if (!line.files.isEmpty()) {
    const QString first = line.files.constFirst();
    QTimer::singleShot(0, &launcher, [&launcher, &report, first, page = line.page] {
      if (launcher.OpenCommandLineFile(first)) ShowPage(report, page);
    });
  }
  return app.exec();
}
