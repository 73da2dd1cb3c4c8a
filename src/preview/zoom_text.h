#pragma once
// The zoom combo's text as a zoom factor: "150 %", "150%", "33.3", "33,3" are
// per cents. Only the first "%" counts as the sign; every space is ignored.
#include <QString>
#include <optional>

namespace quarlo {

// The zoom (per cent / 100), or nothing when the text holds nothing but spaces and the
// sign. Throws EConvertError for anything that is not a finite number.
std::optional<double> ParseZoomText(const QString& text);

// "NNN%" with the per cents rounded half to even, as the combo shows a zoom.
QString ZoomText(double zoom);

}  // namespace quarlo
