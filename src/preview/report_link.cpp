#include "preview/report_link.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStringList>

#include "resources/qt/resource_text.h"

namespace quarlo {

namespace {

bool IsWebOrMail(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("mailto")) return !url.path().isEmpty();
  return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
}

// A local file the handler would start rather than show.
bool IsProgram(const QUrl& url) {
  if (!url.isLocalFile()) return false;
  const QFileInfo file(url.toLocalFile());
  if (file.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0) return true;
  return file.exists() && !file.isDir() && file.isExecutable();
}

}  // namespace

ReportLink ClassifyReportLink(const QString& text) {
  ReportLink link;
  const QString trimmed = text.trimmed();
  link.url = QUrl::fromUserInput(trimmed);
  const QString target = link.url.isValid() ? link.url.toString() : trimmed;
  link.shown = target == trimmed ? trimmed : trimmed + QStringLiteral("\n(") + target + QLatin1Char(')');
  if (!link.url.isValid() || trimmed.isEmpty()) return link;
  if (IsWebOrMail(link.url)) link.action = ReportLinkAction::Open;
  else if (!IsProgram(link.url)) link.action = ReportLinkAction::Confirm;
  return link;
}

bool FollowReportLink(const QString& text, const ReportLinkServices& services) {
  const ReportLink link = ClassifyReportLink(text);
  switch (link.action) {
    case ReportLinkAction::Open:
      break;
    case ReportLinkAction::Confirm:
      if (!services.confirm || !services.confirm(link.shown)) return false;
      break;
    case ReportLinkAction::Refuse:
      if (services.refused) services.refused(link.shown);
      return false;
  }
  if (services.open) services.open(link.url);
  return true;
}

ReportLinkServices DesktopReportLinkServices(QWidget* parent) {
  ReportLinkServices s;
  s.confirm = [parent](const QString& shown) {
    return QMessageBox::question(parent, QStringLiteral("打开链接"),
                                 QStringLiteral("此链接不是网址或邮件地址：\n\n") + shown +
                                     QStringLiteral("\n\n要打开它吗？"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
  };
  s.refused = [parent](const QString& shown) {
    QMessageBox::warning(parent, ResText("mbError"),
                         QStringLiteral("此链接指向一个程序，不会被打开：\n\n") + shown);
  };
  s.open = [](const QUrl& url) {
    // One argument, no shell: the handler decides how to show the address.
    QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{url.toString(QUrl::FullyEncoded)});
  };
  return s;
}

}  // namespace quarlo
