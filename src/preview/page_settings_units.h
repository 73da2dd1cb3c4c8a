#pragma once
// Lengths of the page settings dialog: millimetres shown in the unit the user chose for
// the report designer (0 centimetres, 1 inches, 2 and 3 also shown as centimetres), and
// the edits' texts read back.
#include <string>
#include <string_view>

namespace quarlo {

inline constexpr const char* kUnitsSection = "Form.TfrxDesignerForm";
inline constexpr const char* kUnitsKey = "Units";

// Resource name of the unit label: "uCm", "uInch", or empty for a code that names no
// unit.
std::string_view UnitLabelName(int unitCode);

// Millimetres in the unit and back. A code that names no unit is read as centimetres,
// so a damaged setting never turns the page's paper and margins into zeros.
double MmToUnits(double mm, int unitCode);
double UnitsToMm(double value, int unitCode);

// A whole value as a plain integer, any other with two decimals; decimalSeparator in
// place of the point.
std::string FormatUnitValue(double value, char decimalSeparator);

// The number in an edit's text: "," and "." both mark the decimals, spaces are ignored.
// Throws EConvertError ("'text' is not a valid floating point value") otherwise.
double ParseUnitValue(std::string_view text);

}  // namespace quarlo
