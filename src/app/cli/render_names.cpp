#include "app/cli/render_names.h"

#include <cctype>

namespace quarlo::cli {

namespace {

bool EndsWithPng(const std::string& name) {
  if (name.size() <= 4) return false;  // ".png" alone is a name, not an extension
  const std::string tail = name.substr(name.size() - 4);
  return tail[0] == '.' && std::tolower(static_cast<unsigned char>(tail[1])) == 'p' &&
         std::tolower(static_cast<unsigned char>(tail[2])) == 'n' &&
         std::tolower(static_cast<unsigned char>(tail[3])) == 'g';
}

}  // namespace

RenderNames::RenderNames(std::string output, int pageCount, bool severalPages)
    : output_(std::move(output)),
      stem_(EndsWithPng(output_) ? output_.substr(0, output_.size() - 4) : output_),
      width_(static_cast<int>(std::to_string(pageCount).size())),
      several_(severalPages) {}

std::string RenderNames::ForPage(int number) const {
  if (!several_) return output_;
  std::string digits = std::to_string(number);
  if (static_cast<int>(digits.size()) < width_) digits.insert(0, static_cast<std::size_t>(width_) - digits.size(), '0');
  return stem_ + "-" + digits + ".png";
}

}  // namespace quarlo::cli
