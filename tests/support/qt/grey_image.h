#pragma once
// A painted Qt image in the grey levels the barcode decoders are handed.
#include <QImage>

#include "support/barcode_scan.h"

namespace quarlo::scan {

GreyImage GreyOf(const QImage& image);

}  // namespace quarlo::scan
