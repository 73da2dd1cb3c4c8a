// How errors reach the user: by the engine options' silent mode.
#include "report/report.h"
#include "platform/errors.h"
#include "resources/resources.h"

namespace quarlo {

void TfrxReport::ReportError(const std::string& text) {
  switch (EngineOptions().NewSilentMode()) {
    case simSilent:
      return;
    case simReThrow:
      throw Exception(text);
    case simMessageBoxes:
    default:
      frxResources().ShowErrorMsg(text);
      return;
  }
}

void TfrxReport::ReportCollectedErrors() {
  if (errors_.empty()) return;
  std::string text = frxResources().Get("clErrors");
  for (const std::string& error : errors_) {
    text += '\n';
    text += error;
  }
  ReportError(text);
}

}  // namespace quarlo
