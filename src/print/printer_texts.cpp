#include "print/printer_texts.h"

#include <array>
#include <utility>

namespace quarlo {

std::string PrinterText(std::string_view resourceName) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kTexts{{
      {"prVirtual", "虚拟"},
      {"prCustom", "自定"},
      {"prDefault", "预设"},
      {"clNoPrinters", "在你的系统没有安装打印机"},
      {"mbError", "错误"},
  }};
  for (const auto& [name, text] : kTexts)
    if (name == resourceName) return std::string(text);
  return std::string(resourceName);
}

}  // namespace quarlo
