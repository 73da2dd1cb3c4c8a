#pragma once
// Running quarlo-cli verbs in-process and looking at what they printed.

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/cli_verbs.h"

namespace quarlo::cli_testing {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

inline CliResult RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = cli::RunCommandLine(args, out, err);
  return {status, out.str(), err.str()};
}

// A folder of its own per test, removed afterwards.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name);
  ~ScratchFolder();
  std::string Path(const std::string& file) const { return (folder_ / file).string(); }
  void Write(const std::string& file, const std::string& bytes) const;
  std::string Read(const std::string& file) const;
  bool Exists(const std::string& file) const { return std::filesystem::exists(folder_ / file); }

 private:
  std::filesystem::path folder_;
};

}  // namespace quarlo::cli_testing
