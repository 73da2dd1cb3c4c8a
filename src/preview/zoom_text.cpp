#include "preview/zoom_text.h"

#include <cmath>

#include "platform/errors.h"
#include "preview/text_search.h"
#include "platform/rounding.h"

namespace quarlo {

std::optional<double> ParseZoomText(const QString& text) {
  QString digits = text;
  const qsizetype percent = digits.indexOf(u'%');
  if (percent >= 0) digits[percent] = u' ';
  digits.remove(u' ');
  if (digits.isEmpty()) return std::nullopt;
  QString number = digits;
  number.replace(u',', u'.');
  bool ok = false;
  const double value = number.toDouble(&ok);
  // toDouble also reads "inf" and "nan"; neither is a zoom.
  if (!ok || !std::isfinite(value)) {
    throw EConvertError("'" + digits.toStdString() + "' is not a valid floating point value");
  }
  return value / 100;
}

QString ZoomText(double zoom) { return QString::number(RoundHalfEven(zoom * 100)) + u'%'; }

}  // namespace quarlo
