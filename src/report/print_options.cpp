#include "report/print_options.h"

#include "platform/codepage.h"
#include "resources/resources.h"

namespace quarlo {

const EnumInfo& PrintModeNames() {
  static const EnumInfo names{"pmDefault", "pmSplit", "pmJoin", "pmScale"};
  return names;
}

const EnumInfo& PrintPagesNames() {
  static const EnumInfo names{"ppAll", "ppOdd", "ppEven"};
  return names;
}

std::string TfrxPrintOptions::DefaultPrinterName() {
  return Utf8ToSystem(frxResources().Get("prDefault"));
}

const ClassInfo& TfrxPrintOptions::StaticClass() {
  static const ClassInfo info = [] {
    using P = TfrxPrintOptions;
    auto b = QUARLO_CLASS_BUILDER(TfrxPrintOptions, TPersistent);
    b.Integer("Copies", &P::Copies, &P::SetCopies).Default(1);
    b.Bool("Collate", &P::Collate, &P::SetCollate).Default(true);
    b.String("PageNumbers", &P::PageNumbers, &P::SetPageNumbers);
    b.String("Printer", &P::Printer, &P::SetPrinter).Default(DefaultPrinterName());
    b.Enum("PrintMode", PrintModeNames(), &P::PrintMode, &P::SetPrintMode)
        .Default(static_cast<int>(TfrxPrintMode::pmDefault));
    b.Integer("PrintOnSheet", &P::PrintOnSheet, &P::SetPrintOnSheet).Default(0);
    b.Enum("PrintPages", PrintPagesNames(), &P::PrintPages, &P::SetPrintPages)
        .Default(static_cast<int>(TfrxPrintPages::ppAll));
    b.Bool("Reverse", &P::Reverse, &P::SetReverse).Default(false);
    b.Bool("ShowDialog", &P::ShowDialog, &P::SetShowDialog).Default(true);
    b.Bool("SwapPageSize", &P::SwapPageSize, &P::SetSwapPageSize).NotStored();
    return b.Build();
  }();
  return info;
}

TfrxPrintOptions::TfrxPrintOptions() : printer_(DefaultPrinterName()) {}

}  // namespace quarlo
