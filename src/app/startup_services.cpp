#include "app/startup_services.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "resources/qt/error_box.h"

namespace quarlo {

void ConfigureOpenDialog(QFileDialog& dialog) {
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QStringLiteral("fp3报表文件 (*.fp3)"));
  dialog.setDefaultSuffix(QStringLiteral("fp3"));
}

void TrimWorkingSet() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

LauncherServices DefaultLauncherServices(std::function<void(const std::string& path)> openFile) {
  LauncherServices services;
  services.chooseFile = [](QWidget* parent) -> std::optional<QString> {
    QFileDialog dialog(parent);
    ConfigureOpenDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
  };
  services.openFile = std::move(openFile);
  services.showError = [](const QString& message, QWidget* parent) { ShowErrorBox(message, parent); };
  services.openUrl = [](const QUrl& address) { QDesktopServices::openUrl(address); };
  services.trimWorkingSet = &TrimWorkingSet;
  services.quitApplication = [] { QCoreApplication::quit(); };
  return services;
}

}  // namespace quarlo
