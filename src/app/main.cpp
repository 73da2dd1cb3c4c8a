// quarlo: the desktop viewer. With a file name argument (as a file manager's "Open
// with" passes it) that file is opened at once; without one the launcher waits.
#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <memory>

#include "app/launcher_window.h"
#include "app/startup_open.h"
#include "platform/qt/qt_platform.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quarlo::InstallQtPlatform();

  auto document = std::make_shared<quarlo::TfrxXMLDocument>();
  quarlo::TmainForm launcher(quarlo::DefaultLauncherServices(quarlo::XmlDocumentOpener(document)));
  launcher.show();

  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) {
    const QString path = arguments.at(1);
    QTimer::singleShot(0, &launcher, [&launcher, path] { launcher.OpenFile(path); });
  }
  return app.exec();
}
