#pragma once
// The print dialog shown by the print job before anything is printed.
#include "platform/print_modes.h"

class QWidget;

namespace quarlo {

class TfrxReport;

// Shows the dialog modally for report. On OK the choices are written into the report's
// PrintOptions, the chosen printer becomes the current one and duplexChoice receives
// the duplex selection; returns whether the user pressed OK.
bool ShowPrintDialog(TfrxReport& report, TfrxDuplexMode& duplexChoice, QWidget* parent = nullptr);

}  // namespace quarlo
