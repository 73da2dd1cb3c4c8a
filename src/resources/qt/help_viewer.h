#pragma once
// Opening the user guide that ships with the program in the desktop's browser. The
// guide is looked for next to the program first (help/ beside it, then
// ../share/quarlo/help/); when it is not installed the copy compiled into the program
// is written to the user's cache folder and opened from there.
#include <QString>
#include <string>

class QWidget;

namespace quarlo {

// The local file for a help location ("file" or "file::/page"); empty when none
// can be found or written.
QString ResolveHelpFile(const std::string& location);

// Opens the location; false, and nothing shown, when it cannot be opened.
bool OpenHelp(const std::string& location);

// Makes F1 inside form (and its children) call frxResources().ShowHelp(formClassName).
void InstallHelpShortcut(QWidget* form, const char* formClassName);

}  // namespace quarlo
