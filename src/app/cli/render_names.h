#pragma once
// The file names render writes: OUT itself for one page; for several, OUT without a
// final ".png" (any case) followed by "-NN.png", the page number padded with zeros to
// the width of the report's last page number, so the names sort in page order.
#include <string>

namespace quarlo::cli {

class RenderNames {
 public:
  RenderNames(std::string output, int pageCount, bool severalPages);
  // The name for a 1-based page number.
  std::string ForPage(int number) const;

 private:
  std::string output_;
  std::string stem_;
  int width_;
  bool several_;
};

}  // namespace quarlo::cli
