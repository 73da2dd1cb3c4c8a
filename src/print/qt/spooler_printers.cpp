#include "print/qt/spooler_printers.h"

#include <QCoreApplication>
#include <QPrinterInfo>

#include "print/qt/printers_cups.h"

namespace quarlo {

PrinterSource SpoolerPrinterSource() {
  PrinterSource source;
  source.enumerate = [] {
    std::vector<PrinterSource::Queue> queues;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
      queues.push_back({info.printerName().toStdString(), info.location().toStdString()});
    return queues;
  };
  source.defaultName = [] { return QPrinterInfo::defaultPrinterName().toStdString(); };
  source.make = [](const PrinterSource::Queue& q) -> std::unique_ptr<TfrxCustomPrinter> {
    return std::make_unique<TfrxPrinter>(q.name, q.port);
  };
  return source;
}

namespace {
TfrxPrinters* globalPrinters = nullptr;
}

TfrxPrinters& GlobalPrinters() {
  if (!globalPrinters) {
    globalPrinters = new TfrxPrinters(SpoolerPrinterSource());
    // The printers hold Qt print devices: they go while the application still exists,
    // not among the static destructors after it.
    if (QCoreApplication::instance()) {
      qAddPostRoutine([] {
        delete globalPrinters;
        globalPrinters = nullptr;
      });
    }
  }
  return *globalPrinters;
}

}  // namespace quarlo
