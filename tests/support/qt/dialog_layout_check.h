#pragma once
// Layout faults of a fixed-geometry dialog that a user would see: a control outside its
// group or the window, controls on top of each other, a caption cut off. Also saves the
// dialog's picture for a person to look at.
#include <QString>
#include <string>
#include <vector>

class QWidget;

namespace quarlo::testing {

// One line per fault, naming the controls; empty for a tidy dialog.
std::vector<std::string> DialogLayoutFaults(QWidget& dialog);

// Renders the dialog into <build dir>/screenshots/<name>.png; the path written, or
// empty when it could not be saved.
QString SaveDialogPicture(QWidget& dialog, const QString& name);

}  // namespace quarlo::testing
