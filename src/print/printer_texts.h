#pragma once
// User-interface texts of the printer layer, by their resource names.
#include <string>
#include <string_view>

namespace quarlo {

// The text of a resource name used by the printers ("prVirtual", "prCustom", "prDefault",
// "clNoPrinters", "mbError") from the program's resource table.
std::string PrinterText(std::string_view resourceName);

}  // namespace quarlo
