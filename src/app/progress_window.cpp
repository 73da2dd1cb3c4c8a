#include "app/progress_window.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "resources/qt/resource_text.h"

namespace quarlo {

namespace {

constexpr int kMessageLeft = 16;
constexpr int kMessageWidth = 237;
constexpr int kMessageHeight = 13;
constexpr QRect kBarGeometry{16, 37, 237, 17};
constexpr QRect kCancelGeometry{100, 64, 75, 25};
constexpr int kPanelBevelWidth = 2;

}  // namespace

QRect FitInside(const QRect& window, const QRect& area) {
  QRect r = window;
  if (r.right() > area.right()) r.moveRight(area.right());
  if (r.bottom() > area.bottom()) r.moveBottom(area.bottom());
  if (r.left() < area.left()) r.moveLeft(area.left());
  if (r.top() < area.top()) r.moveTop(area.top());
  return r;
}

TfrxProgress::TfrxProgress(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("TfrxProgress"));
  setFixedSize(kClientWidth, kClientHeight);

  panel1_ = new QFrame(this);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel1_->setLineWidth(kPanelBevelWidth);
  panel1_->setGeometry(0, 0, kClientWidth, kClientHeight);

  lMessage_ = new QLabel(panel1_);
  lMessage_->setObjectName(QStringLiteral("LMessage"));
  lMessage_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  lMessage_->setFont(QFont(QStringLiteral("Tahoma"), 8));
  const int labelHeight = std::max(kMessageHeight, lMessage_->fontMetrics().height());
  lMessage_->setGeometry(kMessageLeft, kMessageTopWithBar, kMessageWidth, labelHeight);

  bar_ = new QProgressBar(panel1_);
  bar_->setObjectName(QStringLiteral("Bar"));
  bar_->setGeometry(kBarGeometry);
  bar_->setTextVisible(false);
  bar_->setRange(0, 100);
  bar_->setValue(0);

  cancelB_ = new QPushButton(ResText(2), panel1_);
  cancelB_->setObjectName(QStringLiteral("CancelB"));
  cancelB_->setGeometry(kCancelGeometry);
  connect(cancelB_, &QPushButton::clicked, this, &TfrxProgress::CancelBClick);

  // The window in use when the work began takes no input until the work ends. This
  // window is not its child: disabling a window disables its children too.
  QWidget* active = QApplication::activeWindow();
  if (active && active != this && active->isEnabled()) {
    disabledWindow_ = active;
    active->setEnabled(false);
  }
  if (disabledWindow_ && disabledWindow_->windowHandle()) {
    winId();
    if (QWindow* own = windowHandle()) own->setTransientParent(disabledWindow_->windowHandle());
  }
  const QRect area = TargetScreenArea();
  QRect r(QPoint(0, 0), size());
  r.moveCenter(area.center());
  move(FitInside(r, area).topLeft());
}

TfrxProgress::~TfrxProgress() { EnableDisabledWindow(); }

QRect TfrxProgress::TargetScreenArea() const {
  QScreen* screen = disabledWindow_ ? disabledWindow_->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(QPoint(0, 0), size());
}

void TfrxProgress::EnableDisabledWindow() {
  if (disabledWindow_) disabledWindow_->setEnabled(true);
  disabledWindow_.clear();
}

void TfrxProgress::Execute(int maximum, const QString& message, bool showBar,
                           bool showCancel) {
  terminated_ = false;
  cancelB_->setVisible(showCancel);
  bar_->setVisible(showBar);
  lMessage_->move(kMessageLeft, showBar ? kMessageTopWithBar : kMessageTopWithoutBar);
  bar_->setRange(0, std::max(0, maximum));
  bar_->setValue(0);
  SetMessage(message);
  show();
  move(FitInside(QRect(pos(), size()), TargetScreenArea()).topLeft());
  QCoreApplication::processEvents();
}

QString TfrxProgress::Message() const { return lMessage_->text(); }

void TfrxProgress::SetMessage(const QString& message) {
  lMessage_->setText(message);
  if (lMessage_->isVisible()) lMessage_->repaint();
}

int TfrxProgress::Position() const { return bar_->value(); }

void TfrxProgress::SetPosition(int position) {
  bar_->setValue(std::clamp(position, bar_->minimum(), bar_->maximum()));
  raise();
  QCoreApplication::processEvents();
}

void TfrxProgress::CancelBClick() { terminated_ = true; }

void TfrxProgress::hideEvent(QHideEvent* event) {
  EnableDisabledWindow();
  QWidget::hideEvent(event);
}

void TfrxProgress::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && cancelB_->isVisible()) {
    cancelB_->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

// No title bar to hold: any point of the client area moves the window.
void TfrxProgress::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - pos();
}

void TfrxProgress::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(event);
  move(event->globalPosition().toPoint() - dragOffset_);
}

void TfrxProgress::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
  QWidget::mouseReleaseEvent(event);
}

}  // namespace quarlo
