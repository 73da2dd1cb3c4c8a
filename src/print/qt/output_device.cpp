#include "print/qt/output_device.h"

#include <fstream>

#include "platform/errors.h"
#include "platform/output_file.h"

namespace quarlo {

OutputDevice::OutputDevice(OutputFile& output) : output_(output) { open(QIODevice::WriteOnly); }

qint64 OutputDevice::writeData(const char* data, qint64 size) {
  if (!failure_.empty()) return -1;
  try {
    output_.Write(data, static_cast<size_t>(size));
  } catch (const EStreamError& e) {
    failure_ = e.what();
    return -1;
  }
  return size;
}

std::string CannotWriteText(const std::string& path, const std::string& failure) {
  const size_t colon = failure.rfind(": ");
  return "cannot write " + path + ": " + (colon == std::string::npos ? failure : failure.substr(colon + 2));
}

bool PdfFileComplete(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  const std::streamoff size = in.tellg();
  if (!in || size < 32) return false;
  const std::streamoff tailSize = std::min<std::streamoff>(size, 1024);
  std::string tail(static_cast<size_t>(tailSize), '\0');
  in.seekg(size - tailSize);
  if (!in.read(tail.data(), tailSize)) return false;
  const size_t end = tail.find_last_not_of("\r\n \t");
  if (end == std::string::npos || end < 4 || tail.compare(end - 4, 5, "%%EOF") != 0) return false;
  const size_t startxref = tail.rfind("startxref");
  if (startxref == std::string::npos) return false;
  const size_t digits = tail.find_first_of("0123456789", startxref + 9);
  if (digits == std::string::npos || digits > end) return false;
  const long long offset = std::stoll(tail.substr(digits, 19));
  if (offset <= 0 || offset + 4 > size) return false;
  char xref[4];
  in.seekg(offset);
  return in.read(xref, 4) && std::string(xref, 4) == "xref";
}

}  // namespace quarlo
