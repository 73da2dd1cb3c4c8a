#pragma once
// The modal error box: caption from resource "mbError", the error icon, one OK button.
#include <QString>

class QWidget;

namespace quarlo {

// Shows the box over parent, or over the active window when parent is null. Without a
// widget application (command-line tools) the message goes to stderr instead, as it
// was raised. In the box, input/output failures read in Chinese (LocalizedIoMessage).
void ShowErrorBox(const QString& message, QWidget* parent = nullptr);

}  // namespace quarlo
