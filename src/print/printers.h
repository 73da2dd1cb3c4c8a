#pragma once
// The printers of the machine as the print job, the print dialog and the page settings
// see them: a process-wide list with a current selection, and per printer its papers,
// bins, defaults, resolution and unprintable margins (whole millimetres) plus the
// brackets of a job. Paper codes are the platform's device-mode codes (9 is A4, 256 a
// size given by the user); bin code 7 means "choose automatically".
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/print_modes.h"

namespace quarlo {

class Canvas;

inline constexpr int kAutoBinCode = 7;

// Platform duplex values of a device mode.
inline constexpr int kDuplexSimplex = 1;
inline constexpr int kDuplexVertical = 2;    // long edge
inline constexpr int kDuplexHorizontal = 3;  // short edge

// Longest paper side a printer accepts, in mm; larger or non-finite sizes given for a
// user-defined paper are refused, so no device size or page can overflow.
inline constexpr double kMaxPaperSideMm = 5000;
bool PlausiblePaperSize(double widthMm, double heightMm);

// Most copies a job asks a printer for.
inline constexpr int kMaxDeviceCopies = 9999;

// A paper or bin as the lists show it: display name and platform code.
struct PrinterListEntry {
  std::string name;
  int code = 0;
};

// Where printer errors go ("Printer selected is not valid"): the error box of the
// resources (ShowErrorMsg) unless a handler is set, as tests do to collect them.
using PrinterErrorHandler = std::function<void(const std::string& message)>;
void SetPrinterErrorHandler(PrinterErrorHandler handler);
void ReportPrinterError(const std::string& message);

inline constexpr const char* kPrinterNotValidText = "Printer selected is not valid";

class TfrxCustomPrinter {
 public:
  TfrxCustomPrinter(std::string name, std::string port);
  virtual ~TfrxCustomPrinter();
  TfrxCustomPrinter(const TfrxCustomPrinter&) = delete;
  TfrxCustomPrinter& operator=(const TfrxCustomPrinter&) = delete;

  virtual void Initialize() = 0;
  virtual void AbortJob() = 0;
  virtual void StartJob() = 0;
  virtual void StartSheet() = 0;
  virtual void StartRawJob() = 0;
  virtual void EndJob() = 0;
  virtual void EndSheet() = 0;
  virtual void EndRawJob() = 0;
  virtual void WriteRaw(std::string_view text) = 0;
  // Selects a paper for measuring pages (code 256: width x height in mm as given).
  virtual void ApplyViewPaper(int code, double width, double height, TPrinterOrientation orientation) = 0;
  // Sets up the next sheets of a job: paper, orientation, bin, duplex and copies.
  virtual void ApplyPrintSetup(int code, double width, double height, TPrinterOrientation orientation,
                               int bin, TfrxDuplexMode duplex, int copies) = 0;
  // The queue's own options dialog; true when confirmed.
  virtual bool ShowProperties() = 0;

  // Index of the first paper with the code, -1 when none.
  int PaperIndexOf(int code) const;
  // Code of the paper named so (letter case ignored), or of entry 0 (256) when none.
  int PaperCodeOf(std::string_view name) const;
  int BinIndexOf(int code) const;

  // Drawing surface of the current sheet: valid from StartSheet to EndSheet of a job on
  // a real printer, null otherwise.
  virtual Canvas* GetCanvas() { return nullptr; }

  const std::string& Name() const { return name_; }
  const std::string& Port() const { return port_; }
  const std::vector<PrinterListEntry>& Papers() const { return papers_; }
  const std::vector<PrinterListEntry>& Bins() const { return bins_; }
  bool Initialized() const { return initialized_; }
  bool Printing() const { return printing_; }
  int Paper() const { return paper_; }
  double PaperWidth() const { return paperWidth_; }
  double PaperHeight() const { return paperHeight_; }
  double LeftMargin() const { return leftMargin_; }
  double TopMargin() const { return topMargin_; }
  double RightMargin() const { return rightMargin_; }
  double BottomMargin() const { return bottomMargin_; }
  TPrinterOrientation Orientation() const { return orientation_; }
  int DpiX() const { return dpiX_; }
  int DpiY() const { return dpiY_; }
  int DefaultPaper() const { return defaultPaper_; }
  double DefaultPaperWidth() const { return defaultPaperWidth_; }
  double DefaultPaperHeight() const { return defaultPaperHeight_; }
  TPrinterOrientation DefaultOrientation() const { return defaultOrientation_; }
  int DefaultBin() const { return defaultBin_; }
  int DefaultDuplex() const { return defaultDuplex_; }
  int BinOverride() const { return binOverride_; }
  int DuplexOverride() const { return duplexOverride_; }

  const std::string& OutputFileName() const { return outputFileName_; }
  // When not empty the next job is written to this file (PDF data) instead of the queue.
  void SetOutputFileName(std::string fileName) { outputFileName_ = std::move(fileName); }
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }
  // Document name of a job: the title, or "Tolvane Document" without one.
  std::string DocumentName() const;

 protected:
  // For printers without a driver of their own: the built-in paper table, A4 portrait,
  // the automatic bin, one-sided.
  void InitializeFromPaperTable();
  // A paper of the table at its size, turned to orientation; any other code with the
  // size given as the sheet lies, when plausible (then as the user size when
  // unknownIsCustom). An impossible paper leaves the current one. Every margin is margin.
  void TakeTablePaper(int code, double width, double height, TPrinterOrientation orientation,
                      bool unknownIsCustom, double margin);

  int binOverride_ = -1;
  int duplexOverride_ = -1;
  std::vector<PrinterListEntry> bins_;
  std::vector<PrinterListEntry> papers_;
  TPrinterOrientation defaultOrientation_ = TPrinterOrientation::poPortrait;
  int defaultPaper_ = 0;
  double defaultPaperHeight_ = 0, defaultPaperWidth_ = 0;
  int defaultDuplex_ = 0, defaultBin_ = 0;
  int dpiX_ = 0, dpiY_ = 0;
  std::string outputFileName_;
  bool initialized_ = false;
  std::string name_;
  int paper_ = 0;
  double paperHeight_ = 0, paperWidth_ = 0;
  double leftMargin_ = 0, topMargin_ = 0, rightMargin_ = 0, bottomMargin_ = 0;
  TPrinterOrientation orientation_ = TPrinterOrientation::poPortrait;
  std::string port_;
  bool printing_ = false;
  std::string title_;
};

// Where the list of printers comes from: the spooler for the program, fakes for tests.
struct PrinterSource {
  struct Queue {
    std::string name;
    std::string port;
  };
  std::function<std::vector<Queue>()> enumerate;
  std::function<std::string()> defaultName;
  std::function<std::unique_ptr<TfrxCustomPrinter>(const Queue&)> make;
};

class TfrxPrinters {
 public:
  // Enumerates the source; without any printer a virtual printer (named "虚拟", absent
  // from the name list) stands in.
  explicit TfrxPrinters(PrinterSource source);
  ~TfrxPrinters();

  bool HasRealPrinters() const { return hasRealPrinters_; }
  const std::vector<std::string>& Printers() const { return names_; }
  int Count() const { return static_cast<int>(objects_.size()); }

  void EnumerateAll();
  void Clear();
  TfrxCustomPrinter* PrinterAt(int index) const;
  int IndexOfName(std::string_view name) const;
  int CurrentIndex() const { return currentIndex_; }
  // -1 selects the default printer; the printer that becomes current initializes.
  void SetCurrentIndex(int index);
  TfrxCustomPrinter* CurrentPrinter() const { return PrinterAt(currentIndex_); }
  std::string DefaultPrinterName() const;

 private:
  PrinterSource source_;
  bool hasRealPrinters_ = false;
  std::vector<std::string> names_;
  std::vector<std::unique_ptr<TfrxCustomPrinter>> objects_;
  int currentIndex_ = -1;
};

}  // namespace quarlo
