#pragma once
// A drop-down list whose items the owner draws, in the list and in the closed box
// alike, at a fixed item height.
#include <QComboBox>
#include <functional>

namespace quarlo {

class OwnerDrawCombo : public QComboBox {
 public:
  // painter, item rectangle, item index, whether the item is selected (highlighted).
  using DrawItem = std::function<void(QPainter&, const QRect&, int, bool)>;

  OwnerDrawCombo(int itemHeight, QWidget* parent);

  void SetDrawItem(DrawItem draw) { draw_ = std::move(draw); }
  int ItemHeight() const { return itemHeight_; }
  void DrawItemAt(QPainter& painter, const QRect& rect, int index, bool selected) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int itemHeight_;
  DrawItem draw_;
};

}  // namespace quarlo
