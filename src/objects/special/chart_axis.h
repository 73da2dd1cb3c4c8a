#pragma once
// Axis scales: a value range widened to round tick steps (1, 2, 5 times a power of
// ten), and the texts of tick values and marks.
#include <string>

namespace quarlo {

struct ChartScale {
  double minimum = 0;
  double maximum = 1;
  double step = 0.2;
  int TickCount() const;  // ticks from minimum to maximum, bounded
};

// A scale holding [low, high] with about `ticks` steps (at least 1); an empty or
// non-finite range becomes a small one around its value.
ChartScale NiceScale(double low, double high, int ticks);
// [low, high] kept as given, with round steps inside.
ChartScale FixedScale(double low, double high, int ticks);

// A tick value with as many decimals as the step needs; dates as dates.
std::string AxisValueText(double value, double step, bool dateTime);
// A point's value for its mark: up to two decimals, no trailing zeros.
std::string MarkValueText(double value, bool dateTime);

}  // namespace quarlo
