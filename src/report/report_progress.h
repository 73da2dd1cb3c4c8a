#pragma once
// What the report's progress operations need of the window system: a progress window
// with a cancel button, and a way to let pending window messages run. The Qt layer
// installs both at start-up; without them progress is counted but nothing is shown,
// which is what the command-line tools and the model tests want.
#include <functional>
#include <memory>
#include <string>

namespace quarlo {

class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;  // closes the window
  ProgressWindow() = default;
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  // Clears the cancel flag, sets the bar's range 0..maximum and the message, and shows
  // the window. message is UTF-8.
  virtual void Execute(int maximum, const std::string& message, bool showBar,
                       bool showCancel) = 0;
  virtual void SetMessage(const std::string& message) = 0;
  virtual void SetPosition(int position) = 0;
  // Whether the user pressed cancel since Execute.
  virtual bool Terminated() const = 0;
};

using ProgressWindowFactory = std::function<std::unique_ptr<ProgressWindow>()>;

// Installs the maker of progress windows; an empty function removes it.
void SetProgressWindowFactory(ProgressWindowFactory factory);
const ProgressWindowFactory& GetProgressWindowFactory();

// Installs what ProcessMessages runs: the window system's "handle pending events".
void SetMessagePump(std::function<void()> pump);
// Lets pending window messages run, so that windows repaint and a cancel button is
// seen while long work runs on the user-interface thread.
void ProcessMessages();

// text with its first "%d" replaced by number. Resource texts are not format
// strings: a translated text with other % signs must not reach printf.
std::string FormatWithNumber(const std::string& text, int number);

}  // namespace quarlo
