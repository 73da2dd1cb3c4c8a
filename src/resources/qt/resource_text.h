#pragma once
// Resource texts as widgets take them.
#include <QString>
#include <string_view>

#include "resources/resources.h"

namespace quarlo {

// frxResources().Get(name) as a QString: the caption or message the screens show.
inline QString ResText(std::string_view name) { return QString::fromStdString(frxResources().Get(name)); }
inline QString ResText(int number) { return QString::fromStdString(frxResources().GetNumbered(number)); }

}  // namespace quarlo
