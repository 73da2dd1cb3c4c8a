#pragma once
// Links that come from a file (a view's URL that is neither "@N" nor "#name"). A web
// or mail address (http, https, mailto) opens directly; anything else (a local path,
// file:, another scheme) is shown with its full target and opens only once the user
// confirms; a local program or desktop entry is never opened. Nothing is run by the
// program itself: an address goes to the system's URL handler as one argument.
#include <QString>
#include <QUrl>
#include <functional>
#include <string>

class QWidget;

namespace quarlo {

enum class ReportLinkAction { Open, Confirm, Refuse };

struct ReportLink {
  QUrl url;
  ReportLinkAction action = ReportLinkAction::Refuse;
  QString shown;  // what the user is told: the link's text and where it leads
};

// The link a view's URL text (already decoded to Unicode) stands for.
ReportLink ClassifyReportLink(const QString& text);

struct ReportLinkServices {
  // Asks the user whether to open the shown target.
  std::function<bool(const QString& shown)> confirm;
  // Tells the user a target is not opened.
  std::function<void(const QString& shown)> refused;
  // Hands an address to the system's URL handler.
  std::function<void(const QUrl& url)> open;
};

// The message boxes (parented to parent) and xdg-open.
ReportLinkServices DesktopReportLinkServices(QWidget* parent);

// Follows a link as the rules above say; returns whether it was opened.
bool FollowReportLink(const QString& text, const ReportLinkServices& services);

}  // namespace quarlo
