#include "preview/page_settings_units.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/errors.h"

namespace quarlo {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kMmPerCm = 10;

bool IsInches(int unitCode) { return unitCode == 1; }

}  // namespace

std::string_view UnitLabelName(int unitCode) {
  switch (unitCode) {
    case 0:
    case 2:
    case 3: return "uCm";
    case 1: return "uInch";
    default: return {};
  }
}

double MmToUnits(double mm, int unitCode) { return mm / (IsInches(unitCode) ? kMmPerInch : kMmPerCm); }

double UnitsToMm(double value, int unitCode) { return value * (IsInches(unitCode) ? kMmPerInch : kMmPerCm); }

std::string FormatUnitValue(double value, char decimalSeparator) {
  if (!std::isfinite(value)) return "0";
  char buffer[64];
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    return buffer;
  }
  std::snprintf(buffer, sizeof buffer, "%2.2f", value);
  std::string text = buffer;
  for (char& c : text)
    if (c == '.') c = decimalSeparator;
  return text;
}

double ParseUnitValue(std::string_view text) {
  std::string normal;
  normal.reserve(text.size());
  for (char c : text) {
    if (c == ' ') continue;
    normal += (c == ',' ? '.' : c);
  }
  double value = 0;
  const char* first = normal.data();
  const char* last = first + normal.size();
  if (!normal.empty() && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, value);
  if (normal.empty() || ec != std::errc() || end != last || !std::isfinite(value))
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
  return value;
}

}  // namespace quarlo
