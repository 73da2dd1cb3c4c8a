#pragma once
// A printer that is a CUPS queue. Its papers and resolution come from Qt's view of the
// queue, its bins (input slots), duplex default and the submission of jobs from libcups,
// which is where Qt has no call for them. A job is drawn into a PDF file, every sheet on
// paper of its own size, and handed to the queue when it ends, with print scaling off. A
// spooler job has one input slot, duplex setting and copy count for all its pages, so
// where those change the print goes out as several spooler jobs, in order, each with a
// PDF of only its own sheets; copies, collation, sides, input slot and paper are job
// options. Sheets of other paper sizes stay in one job: such a job is handed over as a
// PDF in its final order, with its copies laid out, so the queue's filters keep each
// page's own size (the filter that arranges pages would put every page on the job's one
// paper).
// With an output file name the whole PDF is written there instead. An aborted job leaves
// nothing in the queue.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QPageSize>

#include "print/printers.h"

class QPainter;
class QPrinter;
class QTemporaryFile;

namespace quarlo {

class OutputFile;
class QPainterCanvas;

class TfrxPrinter final : public TfrxCustomPrinter {
 public:
  TfrxPrinter(std::string name, std::string port);
  ~TfrxPrinter() override;

  void Initialize() override;
  void AbortJob() override;
  void StartJob() override;
  void StartSheet() override;
  void StartRawJob() override;
  void EndJob() override;
  void EndSheet() override;
  void EndRawJob() override;
  void WriteRaw(std::string_view text) override;
  void ApplyViewPaper(int code, double width, double height, TPrinterOrientation orientation) override;
  void ApplyPrintSetup(int code, double width, double height, TPrinterOrientation orientation, int bin,
                       TfrxDuplexMode duplex, int copies) override;
  bool ShowProperties() override;
  Canvas* GetCanvas() override;

  // Spooler job ids of the last job handed to the queue, one per run of sheets with the
  // same input slot, duplex and copies (none when it went to a file or failed),
  // and why the last hand-over failed.
  const std::vector<int>& LastJobIds() const { return lastJobIds_; }
  int LastJobId() const { return lastJobIds_.empty() ? 0 : lastJobIds_.back(); }
  const std::string& LastError() const { return lastError_; }

  // The bin keyword of the queue ("tray-1", "manual") behind a bin code, empty for the
  // automatic bin or an unknown code.
  std::string BinKeyword(int code) const;

  // What the device mode holds: the fields a job is set up with.
  struct DeviceMode {
    int paper = 0;
    int orientation = 1;   // 1 portrait, 2 landscape
    int paperLength = 0;   // tenths of a mm, for paper 256
    int paperWidth = 0;
    int copies = 1;
    int defaultSource = kAutoBinCode;
    int duplex = kDuplexSimplex;
  };
  const DeviceMode& CurrentDeviceMode() const { return dm_; }

 private:
  bool UpdateDeviceMetrics();
  bool PortraitSizeOf(const DeviceMode& dm, double& widthMm, double& heightMm) const;
  // Bins, default bin and orientation from the queue; returns its default resolution.
  int LoadQueueOptions();
  // The portrait paper of a sheet, hundredths of a mm.
  struct SheetPaper {
    int widthMm100 = 0, lengthMm100 = 0;
    bool operator==(const SheetPaper&) const = default;
  };
  // What a spooler job holds for all its pages: a sheet that needs other values starts
  // the next job.
  struct JobSetup {
    int source = kAutoBinCode;
    int duplex = kDuplexSimplex;
    int copies = 1;
    bool operator==(const JobSetup&) const = default;
  };
  // One spooler job of the running print job: its own PDF file with only its sheets.
  struct SpoolFile {
    std::unique_ptr<QTemporaryFile> file;  // none when writing to the output file
    JobSetup setup;
    SheetPaper firstPaper;     // the job's paper option
    bool mixedPaper = false;   // some sheet is of another paper
    int sheets = 0;
  };
  bool OpenSpoolFile(const JobSetup& setup);
  void CloseSpoolFile();
  bool SubmitSpoolFiles();
  bool SubmitSpoolFile(const SpoolFile& spool);
  void FinishJob();
  void FinishOutputFile();

  DeviceMode dm_;
  std::unique_ptr<QPrinter> info_;  // the queue's metrics; never printed on
  std::map<int, QPageSize> paperSizes_;
  std::map<int, std::string> binKeywords_;
  std::string defaultSidesKeyword_;

  // The running job.
  std::vector<SpoolFile> spoolFiles_;
  std::unique_ptr<QPrinter> jobPrinter_;  // writes the last of spoolFiles_
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<QPainterCanvas> canvas_;
  bool inSheet_ = false;
  int rawJobId_ = 0;
  // The output file of a job printed to a file (PDF or raw), complete or not there.
  std::unique_ptr<OutputFile> output_;

  std::vector<int> lastJobIds_;
  std::string lastError_;
};

}  // namespace quarlo
