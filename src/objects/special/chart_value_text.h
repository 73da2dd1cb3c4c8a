#pragma once
// The texts a chart's series data is made of: ";"-separated value lists, numbers
// written with "," or "." and spaced digit groups, colour names, and dates.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/color.h"

namespace quarlo {

// Elements up to each ";": "" gives none, a leading ";" an empty first element, a
// trailing ";" no empty last one, ";;" an empty element between. At most maxElements
// are taken; `truncated` (when given) tells whether the text held more.
std::vector<std::string> SplitValueList(std::string_view text, size_t maxElements = SIZE_MAX,
                                        bool* truncated = nullptr);

// "," and "." both read as the decimal separator, spaces are dropped; throws
// EConvertError "'%s' is not a valid floating point value".
double ChartTextToFloat(std::string_view text);
std::optional<double> TryChartTextToFloat(std::string_view text);
// Empty, or "NULL" in any case.
bool IsNullValue(std::string_view text);

// The shortest general form with up to 15 significant digits ("6", "1.5", "1E20").
std::string ChartFloatToText(double value);

// A colour name ("clRed", "clBtnFace") or an integer; clDefault when empty or neither.
TColor ColourFromText(std::string_view text);
// Names of the known colours both ways; nullopt / empty when not a named colour.
std::optional<TColor> ColourFromName(std::string_view name);
std::string ColourName(TColor colour);

// Date and time as days since 1899-12-30 with the time of day as the fraction. Read
// in the order year, month, day ("2024-03-15", "2024/3/15", "2024.3.15") with an
// optional time "13:45" or "13:45:30", or a time alone; throws EConvertError
// "'%s' is not a valid date and time" (or "... date" / "... time").
double ChartTextToDateTime(std::string_view text);
// "2024-03-15", with " 13:45" when the value has a time of day; "13:45" for a pure
// time within the first day.
std::string ChartDateTimeToText(double value);

}  // namespace quarlo
