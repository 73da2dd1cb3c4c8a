#pragma once
// Start-up of the resources in the windowed program: loads the string tables and the
// cursors, and routes TfrxResources::ShowErrorMsg and ShowHelp to the Qt error box and
// the help viewer. Call once after the QApplication exists.
namespace quarlo {

void InstallResourceServices();

}  // namespace quarlo
