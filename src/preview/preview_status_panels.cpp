#include "preview/preview_status_panels.h"

#include <QLabel>
#include <QResizeEvent>
#include <algorithm>

namespace quarlo {

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent) {
  for (int i = 0; i < kPanelCount; ++i) {
    auto* label = new QLabel(this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
    label->setTextFormat(Qt::PlainText);
    labels_[static_cast<size_t>(i)] = label;
  }
}

QString StatusPanels::Text(int panel) const { return labels_[static_cast<size_t>(panel)]->text(); }

void StatusPanels::SetText(int panel, const QString& text) { labels_[static_cast<size_t>(panel)]->setText(text); }

void StatusPanels::SetPanelWidth(int panel, int width) {
  widths_[static_cast<size_t>(panel)] = std::max(0, width);
  Place();
}

QSize StatusPanels::sizeHint() const { return {widths_[0] + widths_[1] + widths_[2], labels_[0]->sizeHint().height()}; }

void StatusPanels::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Place();
}

void StatusPanels::Place() {
  int x = 0;
  for (int i = 0; i < kPanelCount; ++i) {
    const int w = widths_[static_cast<size_t>(i)];
    labels_[static_cast<size_t>(i)]->setGeometry(x, 0, w, height());
    x += w;
  }
}

}  // namespace quarlo
