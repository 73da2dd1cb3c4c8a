#include "cli_test_support.h"

#include <unistd.h>

#include <fstream>

namespace quarlo::cli_testing {

ScratchFolder::ScratchFolder(const std::string& name)
    : folder_(std::filesystem::temp_directory_path() /
              ("quarlo-cli-" + std::to_string(::getpid()) + "-" + name)) {
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_);
}

ScratchFolder::~ScratchFolder() { std::filesystem::remove_all(folder_); }

void ScratchFolder::Write(const std::string& file, const std::string& bytes) const {
  std::ofstream(folder_ / file, std::ios::binary) << bytes;
}

std::string ScratchFolder::Read(const std::string& file) const {
  std::ifstream in(folder_ / file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace quarlo::cli_testing
