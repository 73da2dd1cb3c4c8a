#include "print/print_job_run.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <string>

#include "report/report.h"
#include "report/report_progress.h"
#include "document/preview_pages.h"
#include "objects/report_page.h"
#include "platform/canvas.h"
#include "print/page_list.h"
#include "print/print_sequence.h"
#include "print/printers.h"
#include "print/sheet_layout.h"
#include "platform/rounding.h"

namespace quarlo {
namespace {


// What the job reads of a page, copied out at once: the built page belongs to the
// store's cache and may go away with the next page built.
struct PageFacts {
  int paperSize = 0;
  double width = 0, height = 0;  // mm, as the page is oriented
  TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
  int bin = kAutoBinCode;
  int binOtherPages = kAutoBinCode;
  TfrxDuplexMode duplex = TfrxDuplexMode::dmNone;
};

// The printer setup last applied; a page set up alike needs no new one.
struct LastSetup {
  int paper = 0;
  long width = 0, height = 0;  // whole mm
  int bin = 0;
  TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
  TfrxDuplexMode duplex = TfrxDuplexMode::dmNone;
};

class PrintRun {
 public:
  PrintRun(TfrxPreviewPages& pages, TfrxReport& report, TfrxCustomPrinter& printer, const TfrxPageList& list,
           TfrxDuplexMode duplexChoice, const PrintRunSheet& sheet)
      : pages_(pages), report_(report), printer_(printer), list_(list), sheet_(sheet) {
    const TfrxPrintOptions& o = report.PrintOptions();
    mode_ = o.PrintMode();
    options_ = RunOptionsOf(o, duplexChoice);
    overlap_ = std::clamp(o.SplitOverlap(), 0, 1000);
  }

  void Run() {
    const int pageCount = pages_.Count();
    if (mode_ == TfrxPrintMode::pmJoin) {
      Join(pageCount);
    } else {
      SequenceCallbacks callbacks;
      callbacks.pageDuplex = [this](int idx) {
        const std::optional<PageFacts> facts = Facts(idx);
        return facts ? facts->duplex : TfrxDuplexMode::dmNone;
      };
      const bool split = mode_ == TfrxPrintMode::pmSplit;
      callbacks.page = [this, split](const SequencePage& p) { return split ? TileStep(p) : PageStep(p); };
      callbacks.blankSheet = [this] { BlankSheet(); };
      WalkPrintSequence(list_, pageCount, options_, !split, callbacks);
    }
    if (started_ && !aborted_) printer_.EndJob();
  }

  // Ends a job a failure interrupted, leaving nothing half queued.
  void Abandon() {
    if (printer_.Printing()) printer_.AbortJob();
    aborted_ = true;
  }

 private:
  void AddError(int idx, const std::string& what) {
    report_.Errors().insert("page " + std::to_string(idx + 1) + ": " + what);
  }

  std::optional<PageFacts> Facts(int idx) {
    try {
      const TfrxReportPage* page = pages_.PageObject(idx);
      if (!page) {
        AddError(idx, "the page cannot be built");
        return std::nullopt;
      }
      PageFacts f;
      f.paperSize = page->PaperSize();
      f.width = page->PaperWidth();
      f.height = page->PaperHeight();
      f.orientation = page->Orientation();
      f.bin = page->Bin();
      f.binOtherPages = page->BinOtherPages();
      f.duplex = page->Duplex();
      if (!PlausiblePaperSize(f.width, f.height)) {
        AddError(idx, "the page's paper size is not usable");
        return std::nullopt;
      }
      return f;
    } catch (const std::exception& e) {
      AddError(idx, e.what());
      return std::nullopt;
    }
  }

  // The page as the job starts it: the cancel check, the page built, OnPrintPage.
  // False when the job was cancelled; nullopt facts when the page is skipped.
  bool BeginPage(const SequencePage& p, std::optional<PageFacts>& facts) {
    if (report_.Terminated()) {
      printer_.AbortJob();
      aborted_ = true;
      return false;
    }
    facts = Facts(p.pageIndex);
    if (!facts) {
      pages_.EmptyBuiltPages();
      return true;
    }
    pages_.CurrentCopy = p.copyNo;
    if (report_.Events().OnPrintPage) {
      report_.Events().OnPrintPage(pages_.PageObject(p.pageIndex), pages_.CurrentCopy);
    }
    return true;
  }

  // Draws a page; a failure is recorded and the sheet still ends normally.
  void Paint(int idx, Canvas* canvas, double scaleX, double scaleY, double offsetX, double offsetY) {
    if (!canvas) return;
    try {
      pages_.PaintPage(idx, *canvas, scaleX, scaleY, offsetX, offsetY);
    } catch (const std::exception& e) {
      AddError(idx, e.what());
    }
  }

  double PxX() const { return printer_.DpiX() / 25.4; }
  double PxY() const { return printer_.DpiY() / 25.4; }

  // The portrait sheet with the printer's margins and resolution as it is set up now.
  SheetGeometry Sheet() const {
    SheetGeometry g;
    g.width = sheet_.width;
    g.height = sheet_.height;
    g.marginLeft = printer_.LeftMargin();
    g.marginTop = printer_.TopMargin();
    g.marginRight = printer_.RightMargin();
    g.marginBottom = printer_.BottomMargin();
    g.dpiX = printer_.DpiX();
    g.dpiY = printer_.DpiY();
    return g;
  }

  // The same with the margins seen on the portrait sheet, also while the printer is set
  // up for a landscape one: for counting sheets before the orientation is chosen.
  SheetGeometry PortraitSheet() const {
    SheetGeometry g = Sheet();
    if (printer_.Orientation() == TPrinterOrientation::poLandscape) {
      g.marginLeft = printer_.TopMargin();
      g.marginRight = printer_.BottomMargin();
      g.marginTop = printer_.LeftMargin();
      g.marginBottom = printer_.RightMargin();
    }
    return g;
  }

  // Sets the printer up for the sheet paper turned as asked: a printer takes the size
  // as it lies, so a landscape sheet of a custom paper is given wider than high.
  void SetUpSheet(TPrinterOrientation orientation, int bin, TfrxDuplexMode duplex, int copies) {
    const bool landscape = orientation == TPrinterOrientation::poLandscape;
    printer_.ApplyPrintSetup(sheet_.code, landscape ? sheet_.height : sheet_.width,
                             landscape ? sheet_.width : sheet_.height, orientation, bin, duplex, copies);
  }

  void StartJobOnce() {
    if (!started_) printer_.StartJob();
    started_ = true;
  }

  // Starts a sheet; false (and the job aborted) when the printer gave no surface to draw
  // on, as when its output cannot be written: it has said why once, and no further sheet
  // would fare better.
  bool StartSheet() {
    printer_.StartSheet();
    if (printer_.GetCanvas()) return true;
    printer_.EndSheet();
    Abandon();
    return false;
  }

  // The plain and scale modes: one page on one sheet.
  bool PageStep(const SequencePage& p) {
    std::optional<PageFacts> facts;
    if (!BeginPage(p, facts)) return false;
    if (!facts) return true;
    const PageFacts& f = *facts;
    const int idx = p.pageIndex;
    const int bin = idx == 0 ? f.bin : f.binOtherPages;
    const bool scale = mode_ == TfrxPrintMode::pmScale;
    if (!scale) {
      if (!started_ || f.paperSize != last_.paper || RoundHalfEven(f.width) != last_.width ||
          RoundHalfEven(f.height) != last_.height || bin != last_.bin || f.orientation != last_.orientation ||
          p.duplex != last_.duplex) {
        printer_.ApplyPrintSetup(f.paperSize, f.width, f.height, f.orientation, bin, p.duplex, p.deviceCopies);
      }
    } else if (!started_ || bin != last_.bin || f.orientation != last_.orientation || p.duplex != last_.duplex) {
      SetUpSheet(f.orientation, bin, p.duplex, p.deviceCopies);
    }
    StartJobOnce();
    if (!StartSheet()) return false;
    if (scale) {
      const ScaledPage fit = FitIntoPrintableArea(f.width, f.height);
      pages_.PrintScale = fit.factor;
      Paint(idx, printer_.GetCanvas(), fit.factor * printer_.DpiX() / 96, fit.factor * printer_.DpiY() / 96,
            fit.offsetX, fit.offsetY);
    } else {
      Paint(idx, printer_.GetCanvas(), printer_.DpiX() / 96.0, printer_.DpiY() / 96.0,
            -printer_.LeftMargin() * PxX(), -printer_.TopMargin() * PxY());
    }
    report_.ProgressStep(ptPrinting, idx + 1);
    printer_.EndSheet();
    ProcessMessages();
    last_.paper = f.paperSize;
    last_.width = RoundHalfEven(f.width);
    last_.height = RoundHalfEven(f.height);
    last_.bin = bin;
    last_.orientation = f.orientation;
    last_.duplex = p.duplex;
    pages_.EmptyBuiltPages();
    return true;
  }

  struct ScaledPage {
    double factor = 1;
    double offsetX = 0, offsetY = 0;  // device pixels from the printable corner
  };

  // The scale mode's placement: one factor for both directions, so the page keeps its
  // shape, as large as the printable area of the sheet as set up takes, and centred in
  // that area.
  ScaledPage FitIntoPrintableArea(double pageWidth, double pageHeight) const {
    double areaW = printer_.PaperWidth() - printer_.LeftMargin() - printer_.RightMargin();
    double areaH = printer_.PaperHeight() - printer_.TopMargin() - printer_.BottomMargin();
    ScaledPage fit;
    if (!(areaW > 0) || !(areaH > 0)) {
      // Margins that leave nothing: the whole paper rather than no page at all.
      areaW = printer_.PaperWidth();
      areaH = printer_.PaperHeight();
      fit.offsetX = -printer_.LeftMargin() * PxX();
      fit.offsetY = -printer_.TopMargin() * PxY();
    }
    fit.factor = std::min(areaW / pageWidth, areaH / pageHeight);
    fit.offsetX += (areaW - pageWidth * fit.factor) / 2 * PxX();
    fit.offsetY += (areaH - pageHeight * fit.factor) / 2 * PxY();
    return fit;
  }

  // The split mode: one page over as many sheets as it needs, at 100 percent.
  bool TileStep(const SequencePage& p) {
    std::optional<PageFacts> facts;
    if (!BeginPage(p, facts)) return false;
    if (!facts) return true;
    const PageFacts& f = *facts;
    const int idx = p.pageIndex;
    const int bin = idx == 0 ? f.bin : f.binOtherPages;
    const TileCount count = CountSplitTiles(f.width, f.height, PortraitSheet(), overlap_);
    if (TooManyPieces(count.x, count.y)) {
      AddError(idx, "the page needs more than " + std::to_string(kMaxPiecesPerPage) + " sheets");
      pages_.EmptyBuiltPages();
      return true;
    }
    const TPrinterOrientation orientation =
        count.swap ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait;
    // The sheet's own orientation, bin and duplex are compared: a page turned the other
    // way, or asking for another bin or duplex, gets its sheets set up anew.
    if (!started_ || orientation != last_.orientation || bin != last_.bin || p.duplex != last_.duplex) {
      SetUpSheet(orientation, bin, p.duplex, p.deviceCopies);
    }
    StartJobOnce();
    const SplitLayout layout = LayoutSplitTiles(f.width, f.height, count, Sheet(), overlap_);
    for (const SplitTile& tile : layout.tiles) {
      if (!StartSheet()) return false;
      Canvas* canvas = printer_.GetCanvas();
      canvas->SaveClip();
      canvas->IntersectClipRect({tile.clip.left, tile.clip.top, tile.clip.right + 1, tile.clip.bottom + 1});
      Paint(idx, canvas, printer_.DpiX() / 96.0, printer_.DpiY() / 96.0, tile.offsetX, tile.offsetY);
      canvas->RestoreClip();
      printer_.EndSheet();
    }
    report_.ProgressStep(ptPrinting, idx + 1);
    ProcessMessages();
    last_.orientation = orientation;
    last_.bin = bin;
    last_.duplex = p.duplex;
    pages_.EmptyBuiltPages();
    return true;
  }

  // Starts and ends one empty sheet side, so the next collated copy begins on the front
  // of a new sheet when printing two-sided.
  void BlankSheet() {
    if (!started_ || aborted_) return;
    printer_.StartSheet();
    printer_.EndSheet();
  }

  // The join mode: pages at 100 percent in a grid on each sheet, the grid sized from the
  // first page the job prints.
  void Join(int pageCount) {
    int first = -1;
    WalkJoinCells(list_, pageCount, options_, [&](int idx, int) {
      first = idx;
      return false;
    });
    if (first < 0) return;
    const std::optional<PageFacts> facts = Facts(first);
    if (!facts) return;
    JoinGrid grid = LayoutJoinGrid(facts->width, facts->height, PortraitSheet());
    if (TooManyPieces(grid.columns, grid.rows)) {
      AddError(first, "more than " + std::to_string(kMaxPiecesPerPage) + " pages would share a sheet");
      return;
    }
    const TfrxDuplexMode duplex =
        options_.duplexChoice != TfrxDuplexMode::dmNone ? options_.duplexChoice : facts->duplex;
    SetUpSheet(grid.landscape ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait, facts->bin,
               duplex, 1);
    StartJobOnce();
    // The cells start at the physical corner of the sheet as now set up.
    grid = LayoutJoinGrid(facts->width, facts->height, Sheet());
    const int cells = grid.columns * grid.rows;
    int cell = 0;
    int position = 0;
    Canvas* canvas = nullptr;
    bool inSheet = false;
    auto endSheet = [&] {
      printer_.EndSheet();
      inSheet = false;
      report_.ProgressStep(ptPrinting, position);
      ProcessMessages();
      pages_.EmptyBuiltPages();
      if (report_.Terminated()) {
        printer_.AbortJob();
        aborted_ = true;
      }
      return !aborted_;
    };
    auto cellPage = [&](int idx, int copyNo) {
      if (aborted_) return false;
      const std::optional<PageFacts> page = Facts(idx);
      if (!page) return true;  // recorded; the cell goes to the next page
      if (!inSheet) {
        if (!StartSheet()) return false;
        canvas = printer_.GetCanvas();
        inSheet = true;
        cell = 0;
      }
      ++position;
      pages_.CurrentCopy = copyNo;
      try {
        if (report_.Events().OnPrintPage) {
          if (TfrxReportPage* page = pages_.PageObject(idx)) report_.Events().OnPrintPage(page, copyNo);
        }
      } catch (const std::exception& e) {
        AddError(idx, e.what());
      }
      // A later page larger than the cell is shrunk into it rather than cut.
      const double fit = grid.FitFactor(page->width, page->height);
      pages_.PrintScale = fit;
      Paint(idx, canvas, fit * printer_.DpiX() / 96, fit * printer_.DpiY() / 96, grid.CellX(cell % grid.columns),
            grid.CellY(cell / grid.columns));
      ++cell;
      if (cell == cells) return endSheet();
      return true;
    };
    // Every collated copy starts on a sheet of its own.
    auto copyEnded = [&] {
      if (inSheet) endSheet();
    };
    WalkJoinCells(list_, pageCount, options_, cellPage, copyEnded);
    if (inSheet) endSheet();
  }

  TfrxPreviewPages& pages_;
  TfrxReport& report_;
  TfrxCustomPrinter& printer_;
  const TfrxPageList& list_;
  PrintRunSheet sheet_;
  TfrxPrintMode mode_ = TfrxPrintMode::pmDefault;
  PrintRunOptions options_;
  int overlap_ = 3;
  bool started_ = false;
  bool aborted_ = false;
  LastSetup last_;
};

}  // namespace

PrintRunOptions RunOptionsOf(const TfrxPrintOptions& options, TfrxDuplexMode duplexChoice) {
  PrintRunOptions run;
  run.copies = std::clamp(options.Copies(), 1, kMaxCopies);
  run.collate = options.Collate();
  run.pages = options.PrintPages();
  run.reverse = options.Reverse();
  run.duplexChoice = duplexChoice;
  return run;
}

void RunPrintJob(TfrxPreviewPages& pages, TfrxReport& report, TfrxCustomPrinter& printer,
                 const TfrxPageList& list, TfrxDuplexMode duplexChoice, const PrintRunSheet& sheet) {
  report.Errors().clear();
  report.SetTerminated(false);
  report.ProgressStart(ptPrinting);
  printer.SetTitle(report.ReportOptions().NameUtf8());
  TfrxPrintOptions& options = report.PrintOptions();
  if (options.Copies() < 1) options.SetCopies(1);
  PrintRun run(pages, report, printer, list, duplexChoice, sheet);
  try {
    run.Run();
  } catch (...) {
    run.Abandon();
    report.ProgressStop(ptPrinting);
    throw;
  }
  report.ProgressStop(ptPrinting);
  report.ReportCollectedErrors();
}

}  // namespace quarlo
