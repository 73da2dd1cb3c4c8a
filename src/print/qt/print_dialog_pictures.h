#pragma once
// The print dialog's pictures, painted here rather than loaded: the collate picture
// (two sets of pages 1-2-3, or the pages of each number stacked) and one 64 x 32
// picture per print mode showing pages going onto sheets.
#include <QImage>

#include "platform/print_modes.h"

namespace quarlo {

inline constexpr int kCollatePictureWidth = 96;
inline constexpr int kCollatePictureHeight = 48;
inline constexpr int kPrintModePictureWidth = 64;
inline constexpr int kPrintModePictureHeight = 32;

// CollateImg when collate is set, NonCollateImg otherwise; transparent background.
QImage CollatePicture(bool collate);

// The picture of PrintModeIL for a mode; transparent background.
QImage PrintModePicture(TfrxPrintMode mode);

}  // namespace quarlo
