#pragma once
// User-interface texts of the printer layer, by their resource names.
#include <string>
#include <string_view>

namespace quarlo {

// The text of a resource name used by the printers ("prVirtual", "prCustom", "prDefault",
// "clNoPrinters", "mbError"); any other name comes back as itself.
std::string PrinterText(std::string_view resourceName);

}  // namespace quarlo
