#pragma once
// Qt writers (the PDF writer) reach an OutputFile through this device, so every write
// they make is checked: the first failure is kept and later writes are refused, and
// the owner asks for it before committing the output.
#include <QIODevice>
#include <string>

namespace quarlo {

class OutputFile;

class OutputDevice final : public QIODevice {
 public:
  // Opened for writing; the output must outlive the device.
  explicit OutputDevice(OutputFile& output);
  bool isSequential() const override { return true; }
  // Empty while every write succeeded.
  const std::string& Failure() const { return failure_; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override;

 private:
  OutputFile& output_;
  std::string failure_;
};

// "cannot write PATH: reason", the reason taken from an output's failure message.
std::string CannotWriteText(const std::string& path, const std::string& failure);

// True when a PDF file ends with a trailer whose cross-reference offset points at the
// cross-reference table: a writer that lost bytes on the way (a full disk) fails this.
bool PdfFileComplete(const std::string& path);

}  // namespace quarlo
