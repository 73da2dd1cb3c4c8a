#include "objects/special/gradient_view.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

#include "resources/resources.h"

namespace quarlo {

const EnumInfo& GradientStyleNames() {
  static const EnumInfo names{"gsHorizontal", "gsVertical",   "gsElliptic",
                              "gsRectangle",  "gsVertCenter", "gsHorizCenter"};
  return names;
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t num = static_cast<std::int64_t>(a) * b;
  std::int64_t q = num / c;
  const std::int64_t r = num % c;
  if (2 * std::llabs(r) >= std::llabs(static_cast<std::int64_t>(c))) q += ((num < 0) != (c < 0)) ? -1 : 1;
  if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(q);
}

TColor GradientStepColor(TColor begin, TColor end, int i, int n) {
  TColor result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int from = static_cast<int>((static_cast<std::uint32_t>(begin) >> shift) & 0xFF);
    const int to = static_cast<int>((static_cast<std::uint32_t>(end) >> shift) & 0xFF);
    const int value = (from + MulDiv(i, to - from, n)) & 0xFF;
    result |= static_cast<TColor>(value) << shift;
  }
  return result;
}

const ClassInfo& TfrxGradientView::StaticClass() {
  static const ClassInfo info = [] {
    using G = TfrxGradientView;
    auto b = QUARLO_CLASS_BUILDER(TfrxGradientView, TfrxView);
    b.Integer("BeginColor", &G::BeginColor, &G::SetBeginColor).Default(0xFFFFFF);
    PublishViewProperty(b, "Cursor");
    b.Integer("EndColor", &G::EndColor, &G::SetEndColor).Default(0x808080);
    PublishViewProperty(b, "Frame");
    b.Enum("Style", GradientStyleNames(), &G::Style, &G::SetStyle);
    PublishViewProperty(b, "TagStr");
    PublishViewProperty(b, "URL");
    return b.Build();
  }();
  return info;
}

TfrxGradientView::TfrxGradientView(TComponent* owner) : TfrxView(owner) {}

std::string TfrxGradientView::GetDescription() const { return frxResources().Get("obGrad"); }

}  // namespace quarlo
