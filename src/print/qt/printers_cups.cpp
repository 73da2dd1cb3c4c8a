#include "print/qt/printers_cups.h"

#include <cups/cups.h>

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <QApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "platform/errors.h"
#include "platform/output_file.h"
#include "platform/paper_table.h"
#include "platform/qt/qpainter_canvas.h"
#include "print/qt/output_device.h"
#include "platform/rounding.h"
#include "print/pdf_sheet_copies.h"

namespace quarlo {
namespace {

constexpr int kMaxListedItems = 256;  // papers and bins taken from a driver
// The queue's own PDF type, for a PDF in final print order.
constexpr const char* kPrinterReadyPdf = "application/vnd.cups-pdf";


// Input slot keywords with a platform bin code of their own; others get user codes.
struct BinName {
  const char* keyword;
  int code;
};
constexpr BinName kKnownBins[] = {
    {"auto", kAutoBinCode}, {"top", 1},      {"main", 1},      {"bottom", 2},
    {"middle", 3},          {"manual", 4},   {"envelope", 5},  {"by-pass-tray", 6},
    {"large-capacity", 11}, {"tractor", 8},  {"lower", 2},     {"upper", 1},
};
constexpr int kFirstUserBinCode = 256;

int DuplexOfQt(QPrinter::DuplexMode mode) {
  switch (mode) {
    case QPrinter::DuplexLongSide: return kDuplexVertical;
    case QPrinter::DuplexShortSide: return kDuplexHorizontal;
    default: return kDuplexSimplex;
  }
}

const char* SidesKeyword(int duplex) {
  switch (duplex) {
    case kDuplexVertical: return "two-sided-long-edge";
    case kDuplexHorizontal: return "two-sided-short-edge";
    default: return "one-sided";
  }
}

// The queue as libcups sees it, freed on scope exit.
class CupsDestination {
 public:
  explicit CupsDestination(const std::string& name)
      : dest_(cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr)) {
    if (dest_) info_ = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest_);
  }
  ~CupsDestination() {
    if (info_) cupsFreeDestInfo(info_);
    if (dest_) cupsFreeDests(1, dest_);
  }
  CupsDestination(const CupsDestination&) = delete;
  CupsDestination& operator=(const CupsDestination&) = delete;

  bool Valid() const { return dest_ && info_; }
  std::vector<std::string> Supported(const char* option) const {
    std::vector<std::string> values;
    if (!Valid()) return values;
    ipp_attribute_t* a = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest_, info_, option);
    for (int i = 0; a && i < ippGetCount(a); ++i)
      if (const char* s = ippGetString(a, i, nullptr)) values.emplace_back(s);
    return values;
  }
  std::string Default(const char* option) const {
    if (!dest_) return {};
    if (const char* v = cupsGetOption(option, dest_->num_options, dest_->options)) return v;
    if (!info_) return {};
    ipp_attribute_t* a = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest_, info_, option);
    const char* s = a ? ippGetString(a, 0, nullptr) : nullptr;
    return s ? s : "";
  }
  // Default resolution of the queue's driver in dots per inch, 0 when it names none.
  int DefaultResolution() const {
    if (!Valid()) return 0;
    ipp_attribute_t* a = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest_, info_, "printer-resolution");
    if (!a || ippGetValueTag(a) != IPP_TAG_RESOLUTION) return 0;
    int y = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int x = ippGetResolution(a, 0, &y, &units);
    return units == IPP_RES_PER_CM ? static_cast<int>(std::lround(x * 2.54)) : x;
  }
  std::string Localized(const char* option, const std::string& value) const {
    if (!Valid()) return value;
    const char* s = cupsLocalizeDestValue(CUPS_HTTP_DEFAULT, dest_, info_, option, value.c_str());
    return s ? s : value;
  }

 private:
  cups_dest_t* dest_ = nullptr;
  cups_dinfo_t* info_ = nullptr;
};

}  // namespace

TfrxPrinter::TfrxPrinter(std::string name, std::string port)
    : TfrxCustomPrinter(std::move(name), std::move(port)) {}

TfrxPrinter::~TfrxPrinter() {
  if (printing_) AbortJob();
  if (rawJobId_) EndRawJob();
}

void TfrxPrinter::Initialize() {
  if (initialized_) return;
  const QPrinterInfo queue = QPrinterInfo::printerInfo(QString::fromStdString(name_));
  if (queue.isNull()) return;
  info_ = std::make_unique<QPrinter>(queue, QPrinter::HighResolution);

  papers_.resize(1);
  paperSizes_.clear();
  int nextPrivateCode = kCustomPaperCode + 1;
  for (const QPageSize& size : queue.supportedPageSizes()) {
    if (static_cast<int>(papers_.size()) > kMaxListedItems) break;
    int code = size.windowsId();
    if (code <= 0 || code == kCustomPaperCode || paperSizes_.count(code)) {
      while (paperSizes_.count(nextPrivateCode)) ++nextPrivateCode;
      code = nextPrivateCode++;
    }
    paperSizes_.emplace(code, size);
    papers_.push_back({size.name().toStdString(), code});
  }

  const QPageSize defaultSize = queue.defaultPageSize();
  dm_ = DeviceMode{};
  dm_.paper = kA4PaperCode;
  for (const auto& [code, size] : paperSizes_)
    if (size.isEquivalentTo(defaultSize)) {
      dm_.paper = code;
      break;
    }
  const int resolution = LoadQueueOptions();
  // One resolution for both directions: the job's PDF has square device pixels. Qt's
  // high-resolution mode picks the driver's finest; the driver's default is what a
  // document is laid out for.
  dpiX_ = dpiY_ = resolution > 0 ? resolution : info_->resolution();
  dm_.duplex = DuplexOfQt(queue.defaultDuplexMode());

  if (!UpdateDeviceMetrics()) {
    info_.reset();
    return;
  }
  defaultPaper_ = dm_.paper;
  defaultBin_ = dm_.defaultSource;
  defaultDuplex_ = dm_.duplex;
  paper_ = defaultPaper_;
  defaultPaperWidth_ = paperWidth_;
  defaultPaperHeight_ = paperHeight_;
  defaultOrientation_ = dm_.orientation == 1 ? TPrinterOrientation::poPortrait : TPrinterOrientation::poLandscape;
  orientation_ = defaultOrientation_;
  binOverride_ = -1;
  duplexOverride_ = -1;
  initialized_ = true;
}

int TfrxPrinter::LoadQueueOptions() {
  bins_.resize(1);
  binKeywords_.clear();
  const CupsDestination dest(name_);
  int nextUserCode = kFirstUserBinCode;
  for (const std::string& keyword : dest.Supported(CUPS_MEDIA_SOURCE)) {
    if (static_cast<int>(bins_.size()) > kMaxListedItems) break;
    int code = 0;
    for (const BinName& known : kKnownBins)
      if (keyword == known.keyword) code = known.code;
    if (code == kAutoBinCode) continue;
    if (code == 0 || binKeywords_.count(code)) {
      while (binKeywords_.count(nextUserCode)) ++nextUserCode;
      code = nextUserCode++;
    }
    binKeywords_.emplace(code, keyword);
    bins_.push_back({dest.Localized(CUPS_MEDIA_SOURCE, keyword), code});
  }
  dm_.defaultSource = kAutoBinCode;
  const std::string defaultSource = dest.Default(CUPS_MEDIA_SOURCE);
  for (const auto& [code, keyword] : binKeywords_)
    if (keyword == defaultSource) dm_.defaultSource = code;
  dm_.orientation = dest.Default(CUPS_ORIENTATION) == CUPS_ORIENTATION_LANDSCAPE ? 2 : 1;
  defaultSidesKeyword_ = dest.Default(CUPS_SIDES);
  return dest.DefaultResolution();
}

std::string TfrxPrinter::BinKeyword(int code) const {
  const auto it = binKeywords_.find(code);
  return it == binKeywords_.end() ? std::string() : it->second;
}

bool TfrxPrinter::PortraitSizeOf(const DeviceMode& dm, double& widthMm, double& heightMm) const {
  if (dm.paper == kCustomPaperCode) {
    if (dm.paperWidth <= 0 || dm.paperLength <= 0) return false;
    widthMm = dm.paperWidth / 10.0;
    heightMm = dm.paperLength / 10.0;
    return true;
  }
  QSizeF size;
  if (const auto it = paperSizes_.find(dm.paper); it != paperSizes_.end()) {
    size = it->second.size(QPageSize::Millimeter);
  } else if (const QPageSize::PageSizeId id = QPageSize::id(dm.paper); id != QPageSize::Custom) {
    size = QPageSize(id).size(QPageSize::Millimeter);
  } else if (const PaperSize row = PaperDimensions(dm.paper); row.found) {
    size = QSizeF(row.width, row.height);
  } else {
    return false;
  }
  widthMm = size.width();
  heightMm = size.height();
  return widthMm > 0 && heightMm > 0;
}

bool TfrxPrinter::UpdateDeviceMetrics() {
  if (!info_) return false;
  if (dpiX_ <= 0 || dpiY_ <= 0) {
    ReportPrinterError(kPrinterNotValidText);
    return false;
  }
  double w = 0, h = 0;
  if (!PortraitSizeOf(dm_, w, h)) return false;
  const bool landscape = dm_.orientation == 2;
  // The queue's unprintable margins for this paper, as its driver describes them.
  info_->setPageSize(QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch));
  info_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  QPageLayout layout = info_->pageLayout();
  layout.setUnits(QPageLayout::Millimeter);
  const QMarginsF minimum = layout.minimumMargins();
  if (landscape) std::swap(w, h);

  // Device pixels as a device context would report them, then whole millimetres.
  const double physicalWidth = RoundHalfEven(w / 25.4 * dpiX_), physicalHeight = RoundHalfEven(h / 25.4 * dpiY_);
  const double offsetX = RoundHalfEven(minimum.left() / 25.4 * dpiX_), offsetY = RoundHalfEven(minimum.top() / 25.4 * dpiY_);
  const double horzRes = physicalWidth - offsetX - RoundHalfEven(minimum.right() / 25.4 * dpiX_);
  const double vertRes = physicalHeight - offsetY - RoundHalfEven(minimum.bottom() / 25.4 * dpiY_);
  paperHeight_ = RoundHalfEven(physicalHeight / dpiY_ * 25.4);
  paperWidth_ = RoundHalfEven(physicalWidth / dpiX_ * 25.4);
  leftMargin_ = RoundHalfEven(offsetX / dpiX_ * 25.4);
  topMargin_ = RoundHalfEven(offsetY / dpiY_ * 25.4);
  rightMargin_ = paperWidth_ - RoundHalfEven(horzRes / dpiX_ * 25.4) - leftMargin_;
  bottomMargin_ = paperHeight_ - RoundHalfEven(vertRes / dpiY_ * 25.4) - topMargin_;
  return true;
}

void TfrxPrinter::ApplyViewPaper(int code, double width, double height, TPrinterOrientation orientation) {
  if (!info_) return;
  if (code == kCustomPaperCode) {
    if (!PlausiblePaperSize(width, height)) return;
    ApplyViewPaper(kA4PaperCode, 0, 0, orientation);
    paperWidth_ = width;
    paperHeight_ = height;
    paper_ = kCustomPaperCode;
    orientation_ = orientation;
    return;
  }
  const DeviceMode saved = dm_;
  dm_.paper = code;
  dm_.orientation = orientation == TPrinterOrientation::poPortrait ? 1 : 2;
  if (UpdateDeviceMetrics()) {
    paper_ = code;
    orientation_ = orientation;
  } else {
    dm_ = saved;
    UpdateDeviceMetrics();
  }
}

void TfrxPrinter::ApplyPrintSetup(int code, double width, double height, TPrinterOrientation orientation, int bin,
                                  TfrxDuplexMode duplex, int copies) {
  if (!info_) return;
  const bool landscape = orientation == TPrinterOrientation::poLandscape;
  const DeviceMode saved = dm_;
  if (code == kCustomPaperCode && !PlausiblePaperSize(width, height)) code = -1;  // refused below
  if (code == kCustomPaperCode) {
    dm_.paperLength = static_cast<int>(RoundHalfEven((landscape ? width : height) * 10));
    dm_.paperWidth = static_cast<int>(RoundHalfEven((landscape ? height : width) * 10));
  } else {
    dm_.paperLength = dm_.paperWidth = 0;
  }
  dm_.paper = code;
  dm_.orientation = landscape ? 2 : 1;
  dm_.copies = std::clamp(copies, 1, kMaxDeviceCopies);
  int source = binOverride_ != -1 ? binOverride_ : bin;
  if (source == kAutoBinCode) source = defaultBin_;
  dm_.defaultSource = source;
  int d = duplex == TfrxDuplexMode::dmNone ? defaultDuplex_ : static_cast<int>(duplex) + 1;
  if (d == 4) d = kDuplexSimplex;
  if (duplexOverride_ != -1) d = duplexOverride_;
  dm_.duplex = d;
  if (UpdateDeviceMetrics()) {
    paper_ = code;
    orientation_ = orientation;
  } else {
    // A paper the queue cannot describe keeps the previous one for the next sheets.
    const DeviceMode wanted = dm_;
    dm_ = saved;
    dm_.copies = wanted.copies;
    dm_.defaultSource = wanted.defaultSource;
    dm_.duplex = wanted.duplex;
    UpdateDeviceMetrics();
  }
}

void TfrxPrinter::StartJob() {
  if (!info_ || printing_) return;
  printing_ = true;
  lastJobIds_.clear();
  lastError_.clear();
  spoolFiles_.clear();
}

bool TfrxPrinter::OpenSpoolFile(const JobSetup& setup) {
  SpoolFile spool;
  spool.setup = setup;
  QString path;
  if (outputFileName_.empty()) {
    spool.file = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/quarlo-job-XXXXXX.pdf");
    if (!spool.file->open()) {
      lastError_ = "cannot create a temporary file for the job";
      ReportPrinterError(lastError_);
      return false;
    }
    path = spool.file->fileName();
    spool.file->close();
  } else {
    try {
      // Everything printed into a file is one document: opened with the first sheet.
      if (!output_) output_ = std::make_unique<OutputFile>(outputFileName_);
    } catch (const EStreamError& e) {
      lastError_ = e.what();
      ReportPrinterError(lastError_);
      return false;
    }
    path = QString::fromStdString(output_->PathForWriter());
  }
  painter_.reset();
  jobPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  jobPrinter_->setOutputFormat(QPrinter::PdfFormat);
  jobPrinter_->setOutputFileName(path);
  jobPrinter_->setResolution(dpiX_);
  jobPrinter_->setFullPage(false);
  jobPrinter_->setDocName(QString::fromStdString(DocumentName()));
  jobPrinter_->setCreator(QStringLiteral("Quarlo"));
  spoolFiles_.push_back(std::move(spool));
  return true;
}

void TfrxPrinter::CloseSpoolFile() {
  canvas_.reset();
  if (painter_ && painter_->isActive()) painter_->end();
  painter_.reset();
  jobPrinter_.reset();
}

void TfrxPrinter::StartSheet() {
  if (!printing_) return;
  double w = paperWidth_, h = paperHeight_;
  const bool landscape = orientation_ == TPrinterOrientation::poLandscape;
  if (landscape) std::swap(w, h);
  const SheetPaper paper{static_cast<int>(RoundHalfEven(std::min(w, h) * 100)),
                         static_cast<int>(RoundHalfEven(std::max(w, h) * 100))};
  const JobSetup job{dm_.defaultSource, dm_.duplex, dm_.copies};
  // Tray, sides and copies are set once per spooler job: a sheet that needs others
  // starts the next job, with a file of its own. Into an output file everything goes.
  const bool newJob = spoolFiles_.empty() || (outputFileName_.empty() && !(spoolFiles_.back().setup == job));
  if (newJob) {
    CloseSpoolFile();
    if (!OpenSpoolFile(job)) return;
  }
  if (!jobPrinter_) return;
  SpoolFile& spool = spoolFiles_.back();
  if (spool.sheets == 0) spool.firstPaper = paper;
  else if (!(paper == spool.firstPaper)) spool.mixedPaper = true;
  // The painter's origin is the printable corner, as on a device context.
  const QPageLayout layout(QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                           landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(leftMargin_, topMargin_, rightMargin_, bottomMargin_), QPageLayout::Millimeter);
  jobPrinter_->setPageLayout(layout);
  canvas_.reset();
  if (!painter_) {
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(jobPrinter_.get())) {
      lastError_ = "cannot write the job file " + jobPrinter_->outputFileName().toStdString();
      ReportPrinterError(lastError_);
      painter_.reset();
      jobPrinter_.reset();
      return;
    }
  } else {
    jobPrinter_->newPage();
  }
  canvas_ = std::make_unique<QPainterCanvas>(*painter_, CanvasKind::Printer, dpiX_, dpiY_);
  inSheet_ = true;
  ++spool.sheets;
}

void TfrxPrinter::EndSheet() {
  inSheet_ = false;
  canvas_.reset();
}

Canvas* TfrxPrinter::GetCanvas() { return inSheet_ ? canvas_.get() : nullptr; }

bool TfrxPrinter::SubmitSpoolFiles() {
  for (const SpoolFile& spool : spoolFiles_) {
    if (spool.sheets == 0 || !spool.file) continue;
    if (!SubmitSpoolFile(spool)) {
      // All of the document or nothing: take back the jobs already queued.
      for (int id : lastJobIds_) cupsCancelJob2(CUPS_HTTP_DEFAULT, name_.c_str(), id, 0);
      lastJobIds_.clear();
      return false;
    }
  }
  return true;
}

bool TfrxPrinter::SubmitSpoolFile(const SpoolFile& spool) {
  const JobSetup& setup = spool.setup;
  std::string path = spool.file->fileName().toStdString();
  int copies = setup.copies;
  // A job of several paper sizes is handed over in its final order (below), where no
  // filter of the queue need make copies: they are laid out in the file. Copies that
  // would make it too long are left to the queue.
  QTemporaryFile laidOut(QDir::tempPath() + "/quarlo-job-XXXXXX.pdf");
  if (spool.mixedPaper && copies > 1 && laidOut.open()) {
    laidOut.close();
    std::string error;
    if (WriteUncollatedCopies(path, laidOut.fileName().toStdString(), copies, setup.duplex != kDuplexSimplex,
                              error)) {
      path = laidOut.fileName().toStdString();
      copies = 1;
    }
  }
  cups_option_t* options = nullptr;
  int count = 0;
  count = cupsAddOption(CUPS_COPIES, std::to_string(copies).c_str(), count, &options);
  // Copies made by the queue are the uncollated kind: collated copies are printed by
  // the job itself, one after the other.
  if (copies > 1) count = cupsAddOption("collate", "false", count, &options);
  count = cupsAddOption(CUPS_SIDES, SidesKeyword(setup.duplex), count, &options);
  if (const std::string source = BinKeyword(setup.source); !source.empty())
    count = cupsAddOption(CUPS_MEDIA_SOURCE, source.c_str(), count, &options);
  // The first sheet's paper: what a printer choosing its tray by the job's paper loads
  // first. The pages of other sizes ask for theirs themselves.
  char media[128] = "";
  const SheetPaper& paper = spool.firstPaper;
  if (const pwg_media_t* known = pwgMediaForSize(paper.widthMm100, paper.lengthMm100)) {
    std::snprintf(media, sizeof media, "%s", known->pwg);
  } else {
    pwgFormatSizeName(media, sizeof media, "custom", nullptr, paper.widthMm100, paper.lengthMm100, nullptr);
  }
  if (media[0]) count = cupsAddOption(CUPS_MEDIA, media, count, &options);
  // Pages are drawn at their size; the queue must not fit them to its paper.
  count = cupsAddOption("print-scaling", "none", count, &options);
  // Sheets of several sizes: the queue's first filter, which arranges the pages, would
  // put every page on the job's paper. The job has arranged them already (order, page
  // list, copies and their blank sides), so the file is handed over as that filter's
  // output, and the next one gives each page its own paper. The sides are still the
  // queue's.
  if (spool.mixedPaper) count = cupsAddOption("document-format", kPrinterReadyPdf, count, &options);
  const int id = cupsPrintFile2(CUPS_HTTP_DEFAULT, name_.c_str(), path.c_str(), DocumentName().c_str(), count, options);
  cupsFreeOptions(count, options);
  if (id <= 0) {
    lastError_ = cupsLastErrorString() ? cupsLastErrorString() : "the queue refused the job";
    ReportPrinterError(lastError_);
    return false;
  }
  lastJobIds_.push_back(id);
  return true;
}

void TfrxPrinter::FinishJob() {
  CloseSpoolFile();
  inSheet_ = false;
  spoolFiles_.clear();
  output_.reset();  // not committed: removed
  printing_ = false;
  binOverride_ = -1;
  duplexOverride_ = -1;
  dm_.defaultSource = defaultBin_;
  dm_.duplex = defaultDuplex_;
}

void TfrxPrinter::EndJob() {
  if (!printing_) return;
  const bool drawn = painter_ && painter_->isActive();
  CloseSpoolFile();
  // The PDF library cannot say when a write failed (a full disk): a file that lost
  // bytes has a broken trailer, and is neither sent nor kept.
  bool complete = true;
  for (const SpoolFile& spool : spoolFiles_) {
    const std::string written = spool.file ? spool.file->fileName().toStdString()
                                           : output_ ? output_->PathForWriter() : std::string();
    if (drawn && !PdfFileComplete(written)) complete = false;
  }
  if (!complete) {
    lastError_ = "Stream write error: " + (outputFileName_.empty() ? std::string("the job file") : outputFileName_) +
                 ": the PDF file is incomplete";
    ReportPrinterError(lastError_);
  } else if (drawn && outputFileName_.empty()) {
    SubmitSpoolFiles();
  } else if (drawn) {
    FinishOutputFile();
  }
  FinishJob();
}

void TfrxPrinter::FinishOutputFile() {
  if (!output_) return;
  try {
    output_->Commit();
  } catch (const EStreamError& e) {
    lastError_ = e.what();
    ReportPrinterError(lastError_);
  }
  output_.reset();
}

void TfrxPrinter::AbortJob() {
  if (!printing_) return;
  CloseSpoolFile();
  // Nothing reached the queue yet; a half-written output file is no document either
  // (FinishJob drops it).
  FinishJob();
}

void TfrxPrinter::StartRawJob() {
  if (!info_) return;
  const std::string title = title_.empty() ? DocumentName() : title_;
  lastError_.clear();
  lastJobIds_.clear();
  if (!outputFileName_.empty()) {
    try {
      output_ = std::make_unique<OutputFile>(outputFileName_);
    } catch (const EStreamError& e) {
      lastError_ = e.what();
      ReportPrinterError(lastError_);
    }
    return;
  }
  rawJobId_ = cupsCreateJob(CUPS_HTTP_DEFAULT, name_.c_str(), title.c_str(), 0, nullptr);
  if (rawJobId_ <= 0 ||
      cupsStartDocument(CUPS_HTTP_DEFAULT, name_.c_str(), rawJobId_, title.c_str(), CUPS_FORMAT_RAW, 1) !=
          HTTP_STATUS_CONTINUE) {
    lastError_ = cupsLastErrorString() ? cupsLastErrorString() : "the queue refused the job";
    ReportPrinterError(lastError_);
    if (rawJobId_ > 0) cupsCancelJob2(CUPS_HTTP_DEFAULT, name_.c_str(), rawJobId_, 0);
    rawJobId_ = 0;
  }
}

void TfrxPrinter::WriteRaw(std::string_view text) {
  if (output_) {
    try {
      output_->Write(text.data(), text.size());
    } catch (const EStreamError& e) {
      lastError_ = e.what();
      ReportPrinterError(lastError_);
      output_.reset();
    }
  } else if (rawJobId_ > 0) {
    cupsWriteRequestData(CUPS_HTTP_DEFAULT, text.data(), text.size());
  }
}

void TfrxPrinter::EndRawJob() {
  if (!outputFileName_.empty()) {
    FinishOutputFile();
    return;
  }
  if (rawJobId_ <= 0) return;
  if (cupsFinishDocument(CUPS_HTTP_DEFAULT, name_.c_str()) == IPP_STATUS_OK) {
    lastJobIds_.assign(1, rawJobId_);
  } else {
    lastError_ = cupsLastErrorString() ? cupsLastErrorString() : "the queue refused the job";
    ReportPrinterError(lastError_);
  }
  rawJobId_ = 0;
}

bool TfrxPrinter::ShowProperties() {
  if (!info_) return false;
  QDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(QString::fromStdString(name_));
  auto* form = new QFormLayout(&dialog);
  auto* bins = new QComboBox(&dialog);
  for (const PrinterListEntry& bin : bins_) bins->addItem(QString::fromStdString(bin.name), bin.code);
  const int currentBin = binOverride_ != -1 ? binOverride_ : dm_.defaultSource;
  bins->setCurrentIndex(std::max(0, bins->findData(currentBin)));
  auto* sides = new QComboBox(&dialog);
  sides->addItem(QStringLiteral("单面"), kDuplexSimplex);
  sides->addItem(QStringLiteral("双面 (长边翻转)"), kDuplexVertical);
  sides->addItem(QStringLiteral("双面 (短边翻转)"), kDuplexHorizontal);
  const int duplexBefore = duplexOverride_ != -1 ? duplexOverride_ : dm_.duplex;
  sides->setCurrentIndex(std::max(0, sides->findData(duplexBefore)));
  form->addRow(QStringLiteral("纸张来源"), bins);
  form->addRow(QStringLiteral("双面打印"), sides);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  binOverride_ = bins->currentData().toInt();
  const int duplexAfter = sides->currentData().toInt();
  if (duplexAfter != duplexBefore) duplexOverride_ = duplexAfter;
  return true;
}

}  // namespace quarlo
