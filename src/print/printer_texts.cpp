#include "print/printer_texts.h"

#include "resources/resources.h"

namespace quarlo {

std::string PrinterText(std::string_view resourceName) { return frxResources().Get(resourceName); }

}  // namespace quarlo
