#include "app/launcher_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <exception>

#include "app/command_line.h"
#include "platform/color.h"
#include "preview/dropped_report.h"

// The pictures live in a static library; nothing else references them, so the linker
// keeps them only when asked for explicitly.
static void LoadLauncherPictures() { Q_INIT_RESOURCE(quarlo); }

namespace quarlo {

const char* const TmainForm::kWebAddress = "https://quarlo.example.org";

namespace {

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

}  // namespace

TmainForm::TmainForm(LauncherServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      services_(std::move(services)) {
  LoadLauncherPictures();
  setFixedSize(kClientWidth, kClientHeight);

  QFont font(QStringLiteral("宋体"));
  font.setPixelSize(13);
  setFont(font);
  QPalette colors = palette();
  colors.setColor(QPalette::Window, ToQColor(clBtnFace));
  setPalette(colors);
  setAutoFillBackground(true);

  image1_ = new QLabel(this);
  image1_->setObjectName(QStringLiteral("Image1"));
  const QPixmap logo(QStringLiteral(":/quarlo/images/logo.png"));
  image1_->setPixmap(logo);
  image1_->setGeometry(7, 12, logo.isNull() ? 96 : logo.width(), logo.isNull() ? 27 : logo.height());
  image1_->setCursor(Qt::PointingHandCursor);
  image1_->installEventFilter(this);

  bitBtn1_ = new QPushButton(QStringLiteral("打开报表文件"), this);
  bitBtn1_->setObjectName(QStringLiteral("BitBtn1"));
  bitBtn1_->setGeometry(136, 10, 129, 29);
  bitBtn1_->setIcon(QIcon(QStringLiteral(":/quarlo/images/open_glyph.png")));
  bitBtn1_->setIconSize(QSize(16, 16));
  connect(bitBtn1_, &QPushButton::clicked, this, &TmainForm::BitBtn1Click);
  setFocusProxy(bitBtn1_);

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kTrimIntervalMs);
  connect(timer1_, &QTimer::timeout, this, &TmainForm::Timer1Timer);
  timer1_->start();

  if (const QScreen* desktop = QGuiApplication::primaryScreen()) {
    const QRect area = desktop->availableGeometry();
    move(area.x() + (area.width() - kClientWidth) / 2, area.y() + (area.height() - kClientHeight) / 2);
  }
  setAcceptDrops(true);
  FormCreate();
}

void TmainForm::FormCreate() { setWindowTitle(QStringLiteral("Quarlo")); }

bool TmainForm::OpenFile(const QString& path) {
  try {
    if (services_.openFile) services_.openFile(QFile::encodeName(path).toStdString());
    return true;
  } catch (const std::exception& error) {
    if (services_.showError) services_.showError(QString::fromUtf8(error.what()), this);
    return false;
  }
}

bool TmainForm::OpenCommandLineFile(const QString& argument) {
  const LocalFileArgument file = LocalFileOf(argument);
  QString problem = file.error;
  if (problem.isEmpty()) problem = UnreadableFileProblem(file.path);
  if (!problem.isEmpty()) {
    if (services_.showError) services_.showError(problem, this);
    return false;
  }
  return OpenFile(file.path);
}

void TmainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedReportFile(event->mimeData())) event->acceptProposedAction();
}

void TmainForm::dropEvent(QDropEvent* event) {
  const std::optional<QString> file = DroppedReportFile(event->mimeData());
  if (!file) return;
  event->acceptProposedAction();
  // Opened once the drop is over: the preview and an error box run events of their own.
  const QString path = *file;
  QTimer::singleShot(0, this, [this, path] { OpenFile(path); });
}

void TmainForm::BitBtn1Click() {
  if (!services_.chooseFile) return;
  const std::optional<QString> chosen = services_.chooseFile(this);
  if (!chosen) return;  // cancelled: whatever is open stays as it is
  OpenFile(*chosen);
}

void TmainForm::Image1Click() {
  if (services_.openUrl) services_.openUrl(QUrl(QString::fromLatin1(kWebAddress)));
}

void TmainForm::Timer1Timer() {
  if (services_.trimWorkingSet) services_.trimWorkingSet();
}

bool TmainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == image1_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
      image1_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
    Image1Click();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// The launcher is the program: closing it ends the event loop even while other
// top-level windows (a preview) are still open.
void TmainForm::closeEvent(QCloseEvent* event) {
  event->accept();
  timer1_->stop();
  if (services_.quitApplication) services_.quitApplication();
}

}  // namespace quarlo
