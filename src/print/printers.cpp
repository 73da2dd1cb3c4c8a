#include "print/printers.h"

#include <cmath>
#include <utility>

#include "platform/paper_table.h"
#include "platform/same_text.h"
#include "print/printer_texts.h"
#include "print/virtual_printer.h"
#include "resources/resources.h"

namespace quarlo {
namespace {

PrinterErrorHandler& ErrorHandler() {
  static PrinterErrorHandler handler;
  return handler;
}

}  // namespace

bool PlausiblePaperSize(double widthMm, double heightMm) {
  return std::isfinite(widthMm) && std::isfinite(heightMm) && widthMm > 0 && heightMm > 0 &&
         widthMm <= kMaxPaperSideMm && heightMm <= kMaxPaperSideMm;
}

void SetPrinterErrorHandler(PrinterErrorHandler handler) { ErrorHandler() = std::move(handler); }

void ReportPrinterError(const std::string& message) {
  if (ErrorHandler()) ErrorHandler()(message);
  else frxResources().ShowErrorMsg(message);
}

TfrxCustomPrinter::TfrxCustomPrinter(std::string name, std::string port)
    : name_(std::move(name)), port_(std::move(port)) {
  bins_.push_back({PrinterText("prDefault"), kAutoBinCode});
  papers_.push_back({PrinterText("prCustom"), 256});
}

TfrxCustomPrinter::~TfrxCustomPrinter() = default;

int TfrxCustomPrinter::PaperIndexOf(int code) const {
  for (std::size_t i = 0; i < papers_.size(); ++i)
    if (papers_[i].code == code) return static_cast<int>(i);
  return -1;
}

int TfrxCustomPrinter::BinIndexOf(int code) const {
  for (std::size_t i = 0; i < bins_.size(); ++i)
    if (bins_[i].code == code) return static_cast<int>(i);
  return -1;
}

int TfrxCustomPrinter::PaperCodeOf(std::string_view name) const {
  for (const PrinterListEntry& p : papers_)
    if (SameText(p.name, name)) return p.code;
  return papers_.front().code;
}

std::string TfrxCustomPrinter::DocumentName() const {
  return title_.empty() ? std::string("Tolvane Document") : title_;
}

TfrxPrinters::TfrxPrinters(PrinterSource source) : source_(std::move(source)) {
  EnumerateAll();
  if (!objects_.empty()) {
    hasRealPrinters_ = true;
    const int index = IndexOfName(DefaultPrinterName());
    SetCurrentIndex(index == -1 ? 0 : index);
  } else {
    objects_.push_back(std::make_unique<TfrxVirtualPrinter>(PrinterText("prVirtual"), ""));
    hasRealPrinters_ = false;
    SetCurrentIndex(0);
  }
}

TfrxPrinters::~TfrxPrinters() = default;

void TfrxPrinters::EnumerateAll() {
  Clear();
  if (!source_.enumerate || !source_.make) return;
  for (const PrinterSource::Queue& q : source_.enumerate()) {
    std::unique_ptr<TfrxCustomPrinter> printer = source_.make(q);
    if (!printer) continue;
    names_.push_back(printer->Name());
    objects_.push_back(std::move(printer));
  }
}

void TfrxPrinters::Clear() {
  objects_.clear();
  names_.clear();
}

TfrxCustomPrinter* TfrxPrinters::PrinterAt(int index) const {
  if (index < 0 || index >= static_cast<int>(objects_.size())) return nullptr;
  return objects_[static_cast<std::size_t>(index)].get();
}

int TfrxPrinters::IndexOfName(std::string_view name) const {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (SameText(names_[i], name)) return static_cast<int>(i);
  return -1;
}

void TfrxPrinters::SetCurrentIndex(int index) {
  currentIndex_ = index == -1 ? IndexOfName(DefaultPrinterName()) : index;
  if (TfrxCustomPrinter* p = PrinterAt(currentIndex_)) p->Initialize();
}

std::string TfrxPrinters::DefaultPrinterName() const {
  return source_.defaultName ? source_.defaultName() : std::string();
}

void TfrxCustomPrinter::InitializeFromPaperTable() {
  if (initialized_) return;
  for (const TPaperInfo& row : PaperTable()) papers_.push_back({std::string(row.name), row.code});
  defaultPaper_ = kA4PaperCode;
  defaultOrientation_ = TPrinterOrientation::poPortrait;
  defaultBin_ = kAutoBinCode;
  defaultDuplex_ = kDuplexSimplex;
  ApplyViewPaper(kA4PaperCode, 0, 0, TPrinterOrientation::poPortrait);
  defaultPaperWidth_ = paperWidth_;
  defaultPaperHeight_ = paperHeight_;
  initialized_ = true;
}

void TfrxCustomPrinter::TakeTablePaper(int code, double width, double height, TPrinterOrientation orientation,
                                       bool unknownIsCustom, double margin) {
  const PaperSize size = code == kCustomPaperCode ? PaperSize{} : PaperDimensions(code);
  if (size.found) {
    width = size.width;
    height = size.height;
    if (orientation == TPrinterOrientation::poLandscape) std::swap(width, height);
  } else if (!PlausiblePaperSize(width, height)) {
    return;  // no such paper: the current one stays
  } else if (unknownIsCustom) {
    code = kCustomPaperCode;
  }
  orientation_ = orientation;
  paper_ = code;
  paperWidth_ = width;
  paperHeight_ = height;
  leftMargin_ = topMargin_ = rightMargin_ = bottomMargin_ = margin;
}

}  // namespace quarlo
