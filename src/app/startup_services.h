#pragma once
// What the launcher asks of the outside world, as replaceable functions: the tests
// drive the window without blocking dialogs, and the "open this file" step can grow
// from reading the XML tree into loading the page store and showing the preview
// without the window changing.
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QFileDialog;
class QUrl;
class QWidget;

namespace quarlo {

struct LauncherServices {
  // Runs the file-open dialog; no value when the user cancels.
  std::function<std::optional<QString>(QWidget* parent)> chooseFile;
  // Clears what is open and loads the file (local 8-bit path bytes). Failures are
  // exceptions whose message the user sees.
  std::function<void(const std::string& path)> openFile;
  std::function<void(const QString& message, QWidget* parent)> showError;
  std::function<void(const QUrl& address)> openUrl;
  // Gives memory the process no longer uses back to the system; must not block.
  std::function<void()> trimWorkingSet;
  // Ends the program (the event loop), whatever other windows are open.
  std::function<void()> quitApplication;
};

// The real dialog, error box, URL handler, heap trimming and application quit around
// the given open step.
LauncherServices DefaultLauncherServices(std::function<void(const std::string& path)> openFile);

// The settings of the launcher's file-open dialog: the one filter "fp3报表文件" for
// "*.fp3", the default suffix "fp3", and a typed name need not exist.
void ConfigureOpenDialog(QFileDialog& dialog);

// Returns freed heap to the system where the C library can (glibc); elsewhere nothing.
void TrimWorkingSet();

}  // namespace quarlo
