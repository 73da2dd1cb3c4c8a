#pragma once
// The orientation pictures of the page settings dialog, painted here: a sheet upright or
// on its side with a large letter standing the way text would print on it.
#include <QImage>

namespace quarlo {

inline constexpr int kOrientationPictureShort = 34;
inline constexpr int kOrientationPictureLong = 44;

// 34 x 44 for portrait, 44 x 34 for landscape; transparent background.
QImage OrientationPicture(bool landscape);

}  // namespace quarlo
