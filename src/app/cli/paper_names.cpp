#include "app/cli/paper_names.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/paper_table.h"

namespace quarlo::cli {

namespace {

struct NamedPaper {
  int code;
  std::string_view name;
};

// The codes whose size has one common name; the table's sizes are those of the
// platform's paper codes.
constexpr NamedPaper kNames[] = {
    {9, "A4"},         {8, "A3"},         {11, "A5"},       {66, "A2"},         {1, "Letter"},
    {5, "Legal"},      {7, "Executive"},  {6, "Statement"}, {3, "Tabloid"},     {4, "Ledger"},
    {14, "Folio"},     {15, "Quarto"},    {12, "B4"},       {13, "B5"},         {27, "DL"},
    {28, "C5"},        {29, "C3"},        {30, "C4"},       {31, "C6"},         {20, "Env10"},
    {37, "Monarch"},   {43, "Postcard"},
};

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

int PaperCodeOfName(std::string_view name) {
  for (const NamedPaper& p : kNames)
    if (SameNameIgnoringCase(p.name, name)) return p.code;
  return 0;
}

std::string_view PaperNameOfSize(double width, double height) {
  const double shorter = std::min(width, height), longer = std::max(width, height);
  for (const NamedPaper& p : kNames) {
    const PaperSize size = PaperDimensions(p.code);
    const double s = std::min(size.width, size.height), l = std::max(size.width, size.height);
    if (std::abs(s - shorter) <= 0.5 && std::abs(l - longer) <= 0.5) return p.name;
  }
  return {};
}

std::string_view PaperNameList() {
  static const std::string list = [] {
    std::string text;
    for (const NamedPaper& p : kNames) {
      if (!text.empty()) text += ", ";
      text += p.name;
    }
    return text;
  }();
  return list;
}

}  // namespace quarlo::cli
