#include "objects/special/chart_axis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "objects/special/chart_value_text.h"

namespace quarlo {

namespace {

constexpr int kMaxTicks = 200;

double NiceStep(double range, int ticks) {
  double raw = range / std::max(1, ticks);
  if (!(raw > 0) || !std::isfinite(raw)) return 1;
  double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double f = raw / magnitude;
  double nice = f <= 1 ? 1 : f <= 2 ? 2 : f <= 2.5 ? 2.5 : f <= 5 ? 5 : 10;
  return nice * magnitude;
}

void Normalise(double& low, double& high) {
  if (!std::isfinite(low) || !std::isfinite(high)) {
    low = 0;
    high = 1;
  }
  low = std::clamp(low, -1e300, 1e300);
  high = std::clamp(high, -1e300, 1e300);
  if (low > high) std::swap(low, high);
  if (high - low <= std::max(std::fabs(high), 1.0) * 1e-12) {
    double pad = std::max(std::fabs(low) * 0.1, 1.0);
    if (low >= 0 && low - pad < 0) {
      low = 0;
      high = high + pad;
    } else {
      low -= pad;
      high += pad;
    }
  }
}

}  // namespace

int ChartScale::TickCount() const {
  if (!(step > 0) || !std::isfinite(step)) return 0;
  double n = std::floor((maximum - minimum) / step + 1e-9) + 1;
  return static_cast<int>(std::clamp(n, 0.0, static_cast<double>(kMaxTicks)));
}

ChartScale NiceScale(double low, double high, int ticks) {
  Normalise(low, high);
  ChartScale s;
  s.step = NiceStep(high - low, ticks);
  s.minimum = std::floor(low / s.step + 1e-9) * s.step;
  s.maximum = std::ceil(high / s.step - 1e-9) * s.step;
  if (s.maximum <= s.minimum) s.maximum = s.minimum + s.step;
  if ((s.maximum - s.minimum) / s.step > kMaxTicks) s.step = (s.maximum - s.minimum) / kMaxTicks;
  return s;
}

ChartScale FixedScale(double low, double high, int ticks) {
  Normalise(low, high);
  ChartScale s;
  s.minimum = low;
  s.maximum = high;
  s.step = NiceStep(high - low, ticks);
  if ((high - low) / s.step > kMaxTicks) s.step = (high - low) / kMaxTicks;
  return s;
}

std::string AxisValueText(double value, double step, bool dateTime) {
  if (dateTime) return ChartDateTimeToText(value);
  if (std::fabs(value) < step * 1e-9) value = 0;
  int decimals = 0;
  if (step > 0 && step < 1) decimals = std::min(10, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
  if (step > 0 && std::fabs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) > 1e-6) {
    ++decimals;  // steps such as 2.5
  }
  if (std::fabs(value) >= 1e15) return ChartFloatToText(value);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  return buf;
}

std::string MarkValueText(double value, bool dateTime) {
  if (dateTime) return ChartDateTimeToText(value);
  if (!std::isfinite(value) || std::fabs(value) >= 1e15) return ChartFloatToText(value);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", value);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

}  // namespace quarlo
