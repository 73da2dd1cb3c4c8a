#include "app/command_line.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "resources/qt/io_error_text.h"

namespace quarlo {

namespace {

// A positive decimal page number; 0 for anything else.
int PageNumber(const QString& text) {
  bool ok = false;
  const int n = text.toInt(&ok, 10);
  return ok && n > 0 && !text.startsWith(u'+') ? n : 0;
}

ViewerCommandLine Usage(const QString& problem) {
  ViewerCommandLine line;
  line.action = ViewerCommandLine::Action::Usage;
  line.problem = problem;
  return line;
}

}  // namespace

QString ViewerUsageText() {
  return QStringLiteral(
      "usage: quarlo [--page N] [FILE.fp3 | file://URL]...\n"
      "Shows and prints prepared reports. The first file opens in this window; each\n"
      "further file opens in a program of its own.\n"
      "  --page N   open at page N (every file named)\n"
      "  --version  print the version and exit\n"
      "  -h, --help print this text and exit\n");
}

ViewerCommandLine ParseViewerCommandLine(const QStringList& arguments) {
  ViewerCommandLine line;
  bool optionsEnded = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (optionsEnded || !a.startsWith(u'-') || a == QLatin1String("-")) {
      line.files << a;
      continue;
    }
    if (a == QLatin1String("--")) {
      optionsEnded = true;
    } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      line.action = ViewerCommandLine::Action::Help;
    } else if (a == QLatin1String("--version")) {
      line.action = ViewerCommandLine::Action::Version;
    } else if (a == QLatin1String("--page") || a.startsWith(QLatin1String("--page="))) {
      QString value;
      if (a == QLatin1String("--page")) {
        if (i + 1 >= arguments.size()) return Usage(QStringLiteral("--page needs a page number"));
        value = arguments[++i];
      } else {
        value = a.mid(7);
      }
      line.page = PageNumber(value);
      if (line.page == 0) return Usage(QStringLiteral("--page needs a page number from 1 on, not '%1'").arg(value));
    } else {
      return Usage(QStringLiteral("unknown option '%1'").arg(a));
    }
  }
  return line;
}

LocalFileArgument LocalFileOf(const QString& argument) {
  static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+):"));
  const QRegularExpressionMatch m = scheme.match(argument);
  if (!m.hasMatch() || QFileInfo::exists(argument)) return {argument, {}};
  const QUrl url(argument);
  if (m.captured(1).compare(QLatin1String("file"), Qt::CaseInsensitive) == 0 && url.isValid()) {
    const QString host = url.host();
    if (host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) {
      QUrl local = url;
      local.setHost(QString());
      return {local.toLocalFile(), {}};
    }
  }
  return {{}, QStringLiteral("无法打开“%1”：只能打开本机的文件（路径或 file:// 地址）").arg(argument)};
}

QString UnreadableFileProblem(const QString& path) {
  const QByteArray local = QFile::encodeName(path);
  const int fd = ::open(local.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return CannotOpenFileText(path, errno);
  struct stat info {};
  const bool directory = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
  ::close(fd);
  return directory ? CannotOpenFileText(path, EISDIR) : QString();
}

QStringList ArgumentsForFile(const QString& file, int page) {
  QStringList out;
  if (page > 0) out << QStringLiteral("--page") << QString::number(page);
  out << QStringLiteral("--") << file;
  return out;
}

}  // namespace quarlo
