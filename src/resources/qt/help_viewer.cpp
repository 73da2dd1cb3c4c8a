#include "resources/qt/help_viewer.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QShortcut>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

#include "resources/resources.h"

// Resource initialisation is declared at global scope, outside any namespace.
static void InitHelpResource() { Q_INIT_RESOURCE(help); }

namespace quarlo {
namespace {

const char kEmbeddedHelpDir[] = ":/quarlo/help/";

QString FindInstalled(const QString& fileName) {
  if (QCoreApplication::instance() == nullptr) return {};
  const QDir programDir(QCoreApplication::applicationDirPath());
  for (const QString& relative : {QStringLiteral("help"), QStringLiteral("../share/quarlo/help")}) {
    const QString candidate = programDir.filePath(relative + '/' + fileName);
    if (QFileInfo(candidate).isFile()) return QFileInfo(candidate).canonicalFilePath();
  }
  return {};
}

// Writes the compiled-in page to the cache folder unless an identical copy is there.
QString ExtractEmbedded(const QString& fileName) {
  InitHelpResource();
  QFile embedded(kEmbeddedHelpDir + fileName);
  if (!embedded.open(QIODevice::ReadOnly)) return {};
  const QByteArray content = embedded.readAll();

  QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  if (base.isEmpty()) base = QDir::tempPath() + QStringLiteral("/quarlo");
  const QString dir = base + QStringLiteral("/help");
  if (!QDir().mkpath(dir)) return {};
  const QString target = dir + '/' + fileName;
  QFile existing(target);
  if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content) return target;
  existing.close();
  QSaveFile out(target);
  if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size() || !out.commit()) return {};
  return target;
}

}  // namespace

QString ResolveHelpFile(const std::string& location) {
  QString fileName = QString::fromStdString(location);
  const qsizetype pageMark = fileName.indexOf(QStringLiteral("::/"));
  if (pageMark >= 0) fileName.truncate(pageMark);  // the guide has one page for every form
  fileName = QFileInfo(fileName).fileName();       // never leave the help folder
  if (fileName.isEmpty()) return {};
  const QString installed = FindInstalled(fileName);
  return installed.isEmpty() ? ExtractEmbedded(fileName) : installed;
}

bool OpenHelp(const std::string& location) {
  const QString file = ResolveHelpFile(location);
  if (file.isEmpty()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

void InstallHelpShortcut(QWidget* form, const char* formClassName) {
  auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), form);
  shortcut->setContext(Qt::WindowShortcut);
  const std::string name = formClassName;
  QObject::connect(shortcut, &QShortcut::activated, form, [name] { frxResources().ShowHelp(name); });
}

}  // namespace quarlo
