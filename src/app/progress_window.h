#pragma once
// TfrxProgress: the small borderless window that shows how far a print job (or
// another long run) has come, with a cancel button. While it is up, the window that
// was active when it appeared is disabled, so the only thing the user can do is
// cancel; the work itself runs on the user-interface thread and lets the event loop
// run between steps.
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace quarlo {

class TfrxProgress : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 271;
  static constexpr int kClientHeight = 101;
  static constexpr int kMessageTopWithBar = 15;
  static constexpr int kMessageTopWithoutBar = 35;

  explicit TfrxProgress(QWidget* parent = nullptr);
  ~TfrxProgress() override;

  // Clears the cancel flag, shows or hides the bar and the cancel button, sets the
  // bar's range 0..maximum at 0 and the message, and shows the window fully on the
  // monitor of the window it disabled.
  void Execute(int maximum, const QString& message, bool showBar, bool showCancel);

  QString Message() const;
  // Repaints the label at once: the event loop may not run before the next page.
  void SetMessage(const QString& message);
  int Position() const;
  // Moves the bar, brings the window to the front and lets pending events run.
  void SetPosition(int position);
  bool Terminated() const { return terminated_; }
  void SetTerminated(bool v) { terminated_ = v; }

  QFrame* Panel1() const { return panel1_; }
  QLabel* LMessage() const { return lMessage_; }
  QProgressBar* Bar() const { return bar_; }
  QPushButton* CancelB() const { return cancelB_; }
  // The window disabled while this one is up, or null.
  QWidget* DisabledWindow() const { return disabledWindow_.data(); }

 public slots:
  void CancelBClick();

 protected:
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QRect TargetScreenArea() const;
  void EnableDisabledWindow();

  QFrame* panel1_ = nullptr;
  QLabel* lMessage_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QPushButton* cancelB_ = nullptr;
  QPointer<QWidget> disabledWindow_;
  bool terminated_ = false;
  bool dragging_ = false;
  QPoint dragOffset_;
};

// window moved (not resized, unless larger than area) so that it lies fully inside
// area; unchanged when it already does.
QRect FitInside(const QRect& window, const QRect& area);

}  // namespace quarlo
