#include "print/print_dialog.h"

namespace quarlo {

// Placeholder until the dialog is built: nothing is confirmed, so nothing prints.
bool ShowPrintDialog(TfrxReport&, TfrxDuplexMode&, QWidget*) { return false; }

}  // namespace quarlo
