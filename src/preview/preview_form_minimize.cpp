// The window-state side of the preview window: a modal preview minimised takes the whole
// application with it, and the application coming back restores it.

#include <QApplication>
#include <QWindowStateChangeEvent>

#include "report/report.h"
#include "preview/preview_form.h"

namespace quarlo {

void TfrxPreviewForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  const auto* change = static_cast<QWindowStateChangeEvent*>(event);
  const bool minimizedNow = (windowState() & Qt::WindowMinimized) && !(change->oldState() & Qt::WindowMinimized);
  const bool mdiChild = report_ && report_->PreviewOptions().MDIChild();
  if (minimizedNow && isModal() && !mdiChild && minimizedWindows_.empty()) {
    minimizedWindows_.push_back({this, change->oldState()});
    MinimizeApplication();
  }
}

void TfrxPreviewForm::MinimizeApplication() {
  if (minimizedWindows_.empty()) minimizedWindows_.push_back({this, windowState() & ~Qt::WindowMinimized});
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w == this || !w->isVisible() || w->isMinimized() || !w->isWindow()) continue;
    if (w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip) continue;
    minimizedWindows_.push_back({w, w->windowState()});
    w->setWindowState(w->windowState() | Qt::WindowMinimized);
  }
  if (!isMinimized()) setWindowState(windowState() | Qt::WindowMinimized);
  // Connected once: the first minimise of this window.
  static const char* kConnected = "quarloRestoreConnected";
  if (!property(kConnected).toBool()) {
    setProperty(kConnected, true);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
      if (state == Qt::ApplicationActive) ApplicationActivated();
    });
  }
}

void TfrxPreviewForm::ApplicationActivated() {
  if (minimizedWindows_.empty()) return;
  // Taken first: restoring this window raises a state change that must not minimise again.
  std::vector<MinimizedWindow> windows;
  windows.swap(minimizedWindows_);
  for (const MinimizedWindow& m : windows) {
    if (m.window && m.window != this) m.window->setWindowState(m.before & ~Qt::WindowMinimized);
  }
  for (const MinimizedWindow& m : windows) {
    if (m.window == this) setWindowState(m.before & ~Qt::WindowMinimized);
  }
  raise();
  activateWindow();
}

}  // namespace quarlo
