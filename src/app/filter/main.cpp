// fp3topdf: converts prepared reports to PDF for the print spooler (cups_filter.h).
// It draws through Qt on its offscreen platform; no display is used.
#include <QApplication>
#include <QByteArray>
#include <iostream>
#include <string>
#include <vector>

#include "app/filter/cups_filter.h"
#include "platform/qt/qt_platform.h"
#include "report/report_classes.h"

namespace {

// Qt's own remarks reach the spooler's log as debugging lines, not as job messages.
void ToSpoolerLog(QtMsgType, const QMessageLogContext&, const QString& message) {
  std::cerr << "DEBUG: " << message.toStdString() << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(ToSpoolerLog);
  QApplication app(argc, argv);
  quarlo::InstallQtPlatform();
  quarlo::RegisterReportClasses();
  const std::vector<std::string> args(argv + 1, argv + argc);
  return quarlo::filter::RunFilter(args, 0, 1, std::cerr);
}
