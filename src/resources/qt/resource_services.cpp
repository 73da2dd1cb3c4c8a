#include "resources/qt/resource_services.h"

#include "resources/qt/cursors.h"
#include "resources/qt/error_box.h"
#include "resources/qt/help_viewer.h"
#include "resources/resources.h"

namespace quarlo {

void InstallResourceServices() {
  frxResources();
  LoadCursors();
  TfrxResources::SetErrorBoxHandler([](const std::string& /*caption*/, const std::string& message) {
    ShowErrorBox(QString::fromStdString(message));  // the box reads its caption itself
  });
  TfrxResources::SetHelpHandler([](const std::string& location) { OpenHelp(location); });
}

}  // namespace quarlo
