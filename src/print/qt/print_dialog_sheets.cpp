#include "print/qt/print_dialog_sheets.h"

#include "print/printers.h"
#include "resources/resources.h"

namespace quarlo {

std::vector<std::string> SheetPaperNames(const TfrxCustomPrinter& printer) {
  std::vector<std::string> names{frxResources().Get("pgDefault")};
  for (const PrinterListEntry& paper : printer.Papers())
    if (paper.code != kCustomPaperCode) names.push_back(paper.name);
  return names;
}

int SheetPaperIndex(const TfrxCustomPrinter& printer, int code) {
  if (code == -1 || code == kCustomPaperCode) return 0;
  const int index = printer.PaperIndexOf(code);
  if (index < 0) return 0;
  // Entry 0 of the sheet list is "默认"; the user-defined paper, when it stands before
  // the paper, is not in the sheet list.
  const int userIndex = printer.PaperIndexOf(kCustomPaperCode);
  return index + 1 - (userIndex >= 0 && userIndex < index ? 1 : 0);
}

int DuplexIndexOfOverride(int platformDuplex) {
  switch (platformDuplex) {
    case kDuplexSimplex: return 3;
    case kDuplexVertical: return 1;
    case kDuplexHorizontal: return 2;
    default: return -1;
  }
}

bool ParseCopies(const std::string& text, int maxCopies, int& copies) {
  if (text.empty()) return false;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
    if (value > maxCopies) return false;
  }
  if (value < 1) return false;
  copies = static_cast<int>(value);
  return true;
}

std::string ChangeFileExt(const std::string& fileName, const std::string& ext) {
  const std::size_t slash = fileName.find_last_of('/');
  const std::size_t dot = fileName.find_last_of('.');
  const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExt ? fileName.substr(0, dot) : fileName) + ext;
}

}  // namespace quarlo
