#pragma once
// Start-up of the report object's window-system services in the windowed program:
// progress windows, the event pump its long operations run between steps, the
// per-user settings store and the print job behind the page store's PrintPages. Call
// once after the QApplication exists.
#include <memory>

namespace quarlo {

class ProgressWindow;

void InstallReportUiServices();

// A progress window on screen, as the report object drives it.
std::unique_ptr<ProgressWindow> NewQtProgressWindow();

}  // namespace quarlo
