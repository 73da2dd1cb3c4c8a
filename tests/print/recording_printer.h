#pragma once
// A printer for tests of the print job: it keeps every setup and bracket it is asked
// for, and records each sheet on a canvas of its own, so a test reads back which pages
// came out on which sheet, set up how. 254 dpi makes a millimetre ten device pixels.
#include <memory>
#include <string>
#include <vector>

#include "platform/paper_table.h"
#include "platform/recording_canvas.h"
#include "print/printers.h"

namespace quarlo::testing {

struct RecordedSetup {
  int code = 0;
  double width = 0, height = 0;
  TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
  int bin = 0;
  TfrxDuplexMode duplex = TfrxDuplexMode::dmNone;
  int copies = 0;
};

struct RecordedSheet {
  double width = 0, height = 0;  // mm, as set up
  TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
  int setup = -1;  // index into Setups() in force, -1 before any
  std::unique_ptr<RecordingCanvas> canvas;
  // All text drawn on the sheet, in drawing order.
  std::u16string Text() const {
    std::u16string all;
    for (const CanvasRecord* r : canvas->RecordsOf(CanvasRecord::Op::Text)) all += r->text;
    return all;
  }
};

class RecordingPrinter final : public TfrxCustomPrinter {
 public:
  explicit RecordingPrinter(std::string name = "Recorder", double marginMm = 5)
      : TfrxCustomPrinter(std::move(name), ""), margin_(marginMm) {}

  bool failInitialize = false;
  bool noCanvas = false;  // a printer whose output cannot be written

  void Initialize() override {
    if (initialized_ || failInitialize) return;
    dpiX_ = dpiY_ = 254;
    InitializeFromPaperTable();
  }
  void ApplyViewPaper(int code, double width, double height, TPrinterOrientation orientation) override {
    TakeTablePaper(code, width, height, orientation, false, margin_);
  }
  void ApplyPrintSetup(int code, double width, double height, TPrinterOrientation orientation, int bin,
                       TfrxDuplexMode duplex, int copies) override {
    setups_.push_back({code, width, height, orientation, bin, duplex, copies});
    log_.push_back("setup");
    ApplyViewPaper(code, width, height, orientation);
  }
  void StartJob() override {
    printing_ = true;
    log_.push_back("start");
  }
  void StartSheet() override {
    RecordedSheet sheet;
    sheet.width = paperWidth_;
    sheet.height = paperHeight_;
    sheet.orientation = orientation_;
    sheet.setup = static_cast<int>(setups_.size()) - 1;
    const int w = static_cast<int>((paperWidth_ - 2 * margin_) * 10);
    const int h = static_cast<int>((paperHeight_ - 2 * margin_) * 10);
    sheet.canvas = std::make_unique<RecordingCanvas>(CanvasRect{0, 0, w, h}, dpiX_, dpiY_, CanvasKind::Printer);
    sheets_.push_back(std::move(sheet));
    inSheet_ = true;
    log_.push_back("sheet");
  }
  void EndSheet() override {
    inSheet_ = false;
    log_.push_back("endsheet");
  }
  void EndJob() override {
    printing_ = false;
    log_.push_back("end");
  }
  void AbortJob() override {
    printing_ = false;
    log_.push_back("abort");
  }
  void StartRawJob() override {}
  void EndRawJob() override {}
  void WriteRaw(std::string_view) override {}
  bool ShowProperties() override { return false; }
  Canvas* GetCanvas() override { return inSheet_ && !noCanvas ? sheets_.back().canvas.get() : nullptr; }

  const std::vector<RecordedSetup>& Setups() const { return setups_; }
  const std::vector<RecordedSheet>& Sheets() const { return sheets_; }
  const std::vector<std::string>& Log() const { return log_; }
  std::vector<std::u16string> SheetTexts() const {
    std::vector<std::u16string> texts;
    for (const RecordedSheet& s : sheets_) texts.push_back(s.Text());
    return texts;
  }

 private:
  double margin_;
  bool inSheet_ = false;
  std::vector<RecordedSetup> setups_;
  std::vector<RecordedSheet> sheets_;
  std::vector<std::string> log_;
};

}  // namespace quarlo::testing
