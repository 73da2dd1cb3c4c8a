#pragma once
// The launcher: a small fixed window with the logo and the one button that opens a
// prepared report file. Everything after the open step happens elsewhere.
#include <QWidget>

#include "app/startup_services.h"

class QLabel;
class QPushButton;
class QTimer;

namespace quarlo {

class TmainForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 289;
  static constexpr int kClientHeight = 51;
  static constexpr int kTrimIntervalMs = 2000;
  static const char* const kWebAddress;

  explicit TmainForm(LauncherServices services, QWidget* parent = nullptr);

  QLabel* Image1() const { return image1_; }
  QPushButton* BitBtn1() const { return bitBtn1_; }
  QTimer* Timer1() const { return timer1_; }

  // The open step with its error report: used by the button, for a dropped file and for
  // a file named on the command line. The window stays usable whatever the file holds.
  // Returns whether the file was opened.
  bool OpenFile(const QString& path);
  // A file argument of the command line (a path or a file:// URL): a URL of another
  // kind, or a file that does not exist or cannot be read, is reported in the error box
  // with its name and the reason, and nothing is opened.
  bool OpenCommandLineFile(const QString& argument);

 public slots:
  void BitBtn1Click();
  void Image1Click();
  void Timer1Timer();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FormCreate();

  LauncherServices services_;
  QLabel* image1_ = nullptr;
  QPushButton* bitBtn1_ = nullptr;
  QTimer* timer1_ = nullptr;
};

}  // namespace quarlo
