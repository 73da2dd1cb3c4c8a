#include "app/cli/cli_output.h"

#include <ostream>

#include "document/preview_pages.h"
#include "platform/errors.h"
#include "platform/output_file.h"

namespace quarlo::cli {

std::string WriteOutputFile(const std::string& path, std::string_view bytes) {
  try {
    WriteOutput(path, [&](Stream& out) { out.Write(bytes.data(), bytes.size()); });
  } catch (const EStreamError& e) {
    return "cannot write " + path + ": " + e.what();
  }
  return {};
}

bool IsFileArgument(const std::string& arg) {
  return IsStandardStreamName(arg) || (!arg.empty() && arg[0] != '-');
}

void ReportWritten(std::ostream& out, const std::string& output) {
  if (!IsStandardStreamName(output)) out << output << '\n';
}

void WarnLeftOutClasses(std::ostream& err, const std::string& verb, const TfrxPreviewPages& pages) {
  for (const auto& [index, classes] : pages.LeftOutClasses()) {
    err << "quarlo-cli " << verb << ": warning: page " << index + 1 << ": left out objects of class";
    for (size_t i = 0; i < classes.size(); ++i) err << (i ? ", " : " ") << classes[i];
    err << " (not supported)\n";
  }
}

}  // namespace quarlo::cli
