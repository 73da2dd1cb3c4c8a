#include "print/qt/print_dialog_combo.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace quarlo {

namespace {

class OwnerDrawDelegate : public QStyledItemDelegate {
 public:
  explicit OwnerDrawDelegate(OwnerDrawCombo* combo) : QStyledItemDelegate(combo), combo_(combo) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    combo_->DrawItemAt(*painter, option.rect, index.row(), selected);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(combo_->ItemHeight());
    return size;
  }

 private:
  OwnerDrawCombo* combo_;
};

}  // namespace

OwnerDrawCombo::OwnerDrawCombo(int itemHeight, QWidget* parent)
    : QComboBox(parent), itemHeight_(itemHeight) {
  setItemDelegate(new OwnerDrawDelegate(this));
}

void OwnerDrawCombo::DrawItemAt(QPainter& painter, const QRect& rect, int index, bool selected) const {
  painter.fillRect(rect, palette().brush(selected ? QPalette::Highlight : QPalette::Base));
  painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter.setFont(font());
  if (draw_ && index >= 0) draw_(painter, rect, index, selected);
}

void OwnerDrawCombo::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  option.currentIcon = QIcon();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  QRect item = field;
  item.setHeight(std::min(field.height(), itemHeight_));
  item.moveTop(field.top() + (field.height() - item.height()) / 2);
  painter.save();
  painter.setClipRect(field);
  DrawItemAt(painter, item, currentIndex(), hasFocus());
  painter.restore();
}

}  // namespace quarlo
