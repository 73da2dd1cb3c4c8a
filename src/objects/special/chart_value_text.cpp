#include "objects/special/chart_value_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/errors.h"
#include "objects/serializer.h"
#include "platform/same_text.h"

namespace quarlo {

std::vector<std::string> SplitValueList(std::string_view text, size_t maxElements, bool* truncated) {
  std::vector<std::string> out;
  if (truncated) *truncated = false;
  size_t pos = 0;
  while (pos < text.size()) {
    if (out.size() >= maxElements) {
      if (truncated) *truncated = true;
      break;
    }
    size_t end = text.find(';', pos);
    if (end == std::string_view::npos) end = text.size();
    out.emplace_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return out;
}

double ChartTextToFloat(std::string_view text) { return XMLToFloat(text); }

std::optional<double> TryChartTextToFloat(std::string_view text) {
  try {
    return XMLToFloat(text);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

bool IsNullValue(std::string_view text) { return text.empty() || SameText(text, "NULL"); }

std::string ChartFloatToText(double value) { return FloatToXML(value); }

namespace {

struct NamedColour {
  const char* name;
  TColor value;
};

constexpr NamedColour kColours[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen},
    {"clSkyBlue", clSkyBlue},
    {"clCream", clCream},
    {"clMedGray", clMedGray},
    {"clNone", clNone},
    {"clDefault", clDefault},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clHotLight", clHotLight},
    {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption},
    {"clMenuHighlight", clMenuHighlight},
    {"clMenuBar", clMenuBar},
};

[[noreturn]] void BadDate(std::string_view text, const char* what) {
  throw EConvertError("'" + std::string(text) + "' is not a valid " + what);
}

// Digits of one field; false when none or too many.
bool ReadField(std::string_view& s, int& value, int maxDigits) {
  size_t n = 0;
  value = 0;
  while (n < s.size() && std::isdigit(static_cast<unsigned char>(s[n]))) {
    if (n >= static_cast<size_t>(maxDigits)) return false;
    value = value * 10 + (s[n] - '0');
    ++n;
  }
  if (n == 0) return false;
  s.remove_prefix(n);
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// Days from 1899-12-30 to the given civil date.
double DateSerial(int y, int m, int d) {
  // Days since 0001-01-01 for both dates.
  auto ordinal = [](int year, int month, int day) {
    long long yy = year - 1;
    long long n = yy * 365 + yy / 4 - yy / 100 + yy / 400;
    for (int i = 1; i < month; ++i) n += DaysInMonth(year, i);
    return n + day;
  };
  return static_cast<double>(ordinal(y, m, d) - ordinal(1899, 12, 30));
}

bool ParseTime(std::string_view s, double& fraction) {
  int h = 0, n = 0, sec = 0;
  if (!ReadField(s, h, 2) || s.empty() || s.front() != ':') return false;
  s.remove_prefix(1);
  if (!ReadField(s, n, 2)) return false;
  if (!s.empty() && s.front() == ':') {
    s.remove_prefix(1);
    if (!ReadField(s, sec, 2)) return false;
  }
  if (!s.empty() || h > 23 || n > 59 || sec > 59) return false;
  fraction = (h * 3600 + n * 60 + sec) / 86400.0;
  return true;
}

bool ParseDate(std::string_view s, double& days) {
  int y = 0, m = 0, d = 0;
  if (!ReadField(s, y, 4) || s.empty()) return false;
  char sep = s.front();
  if (sep != '-' && sep != '/' && sep != '.') return false;
  s.remove_prefix(1);
  if (!ReadField(s, m, 2) || s.empty() || s.front() != sep) return false;
  s.remove_prefix(1);
  if (!ReadField(s, d, 2) || !s.empty()) return false;
  if (y < 100) y += 2000;  // two-digit years belong to this century
  if (y < 1 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return false;
  days = DateSerial(y, m, d);
  return true;
}

}  // namespace

std::optional<TColor> ColourFromName(std::string_view name) {
  for (const NamedColour& c : kColours) {
    if (SameText(name, c.name)) return c.value;
  }
  return std::nullopt;
}

std::string ColourName(TColor colour) {
  for (const NamedColour& c : kColours) {
    if (c.value == colour) return c.name;
  }
  return {};
}

TColor ColourFromText(std::string_view text) {
  if (text.empty()) return clDefault;
  if (auto named = ColourFromName(text)) return *named;
  try {
    std::int64_t v = XMLToInt(text);
    if (v < INT32_MIN || v > static_cast<std::int64_t>(UINT32_MAX)) return clDefault;
    return static_cast<TColor>(static_cast<std::uint32_t>(v));
  } catch (const EConvertError&) {
    return clDefault;
  }
}

double ChartTextToDateTime(std::string_view text) {
  std::string_view s = Trim(text);
  double days = 0, fraction = 0;
  size_t space = s.find(' ');
  if (space == std::string_view::npos) {
    if (s.find(':') != std::string_view::npos) {
      if (!ParseTime(s, fraction)) BadDate(text, "time");
      return fraction;
    }
    if (!ParseDate(s, days)) BadDate(text, "date");
    return days;
  }
  if (!ParseDate(s.substr(0, space), days) || !ParseTime(Trim(s.substr(space + 1)), fraction)) {
    BadDate(text, "date and time");
  }
  return days + fraction;
}

std::string ChartDateTimeToText(double value) {
  if (!std::isfinite(value) || std::fabs(value) > 3e6) return ChartFloatToText(value);
  double dayPart = std::floor(value);
  int seconds = static_cast<int>(std::lround((value - dayPart) * 86400.0));
  if (seconds >= 86400) {
    dayPart += 1;
    seconds -= 86400;
  }
  char buf[48];
  if (dayPart == 0 && seconds != 0) {
    std::snprintf(buf, sizeof buf, "%02d:%02d", seconds / 3600, seconds / 60 % 60);
    return buf;
  }
  // Civil date from the day count (days since 0001-01-01 = serial + offset).
  long long n = static_cast<long long>(dayPart) + 693593;  // 0-based days from 0001-01-01
  int y = 1;
  long long cycles = n / 146097;
  y += static_cast<int>(cycles * 400);
  n -= cycles * 146097;
  while (true) {
    int len = IsLeap(y) ? 366 : 365;
    if (n < len) break;
    n -= len;
    ++y;
  }
  int m = 1;
  while (n >= DaysInMonth(y, m)) {
    n -= DaysInMonth(y, m);
    ++m;
  }
  int d = static_cast<int>(n) + 1;
  if (seconds != 0) {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", y, m, d, seconds / 3600, seconds / 60 % 60);
  } else {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
  }
  return buf;
}

}  // namespace quarlo
