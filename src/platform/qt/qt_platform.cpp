#include "platform/qt/qt_platform.h"

#include <fontconfig/fontconfig.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QStringList>
#include <string>

#include "platform/qt/qt_font_engine.h"

#ifndef QUARLO_FONTS_CONF_DIR
#define QUARLO_FONTS_CONF_DIR ""
#endif

namespace quarlo {

namespace {

constexpr const char* kAliasesFile = "60-quarlo-aliases.conf";
std::string g_aliasesPath;

QString FindAliases() {
  QStringList dirs;
  const QByteArray src = qgetenv("QUARLO_SOURCE_DIR");
  if (!src.isEmpty()) dirs << QString::fromLocal8Bit(src) + "/config/fonts";
  dirs << QCoreApplication::applicationDirPath() + "/../share/quarlo/fonts";
  dirs << QString::fromUtf8(QUARLO_FONTS_CONF_DIR);
  for (const QString& d : dirs) {
    if (d.isEmpty()) continue;
    QFileInfo fi(QDir(d).filePath(kAliasesFile));
    if (fi.isFile()) return fi.canonicalFilePath();
  }
  return {};
}

void LoadAliases() {
  const QString path = FindAliases();
  if (path.isEmpty()) return;
  g_aliasesPath = path.toStdString();
  // Parsing the file again after the user installed the same aliases is harmless.
  FcConfig* config = FcConfigGetCurrent();
  const QByteArray file = QFile::encodeName(path);
  FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(file.constData()), FcFalse);
  // The Tahoma files live outside fontconfig's folders; hand them to Qt directly.
  if (!QFontDatabase::families().contains("Tahoma")) {
    for (const char* f : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
      if (QFileInfo::exists(f)) QFontDatabase::addApplicationFont(f);
  }
}

}  // namespace

void InstallQtPlatform() {
  static bool done = false;
  if (done) return;
  done = true;
  LoadAliases();
  static QtFontEngine engine;
  SetFontEngine(&engine);
}

const char* FontAliasesPath() { return g_aliasesPath.c_str(); }

}  // namespace quarlo
