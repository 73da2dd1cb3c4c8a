#pragma once
// The preview window's status bar: three sunken text panels side by side whose widths
// the window sets. The panels are placed by hand, so their widths never hold the
// window wider than the user makes it.
#include <QWidget>
#include <array>

class QLabel;

namespace quarlo {

class StatusPanels final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPanelCount = 3;

  explicit StatusPanels(QWidget* parent = nullptr);

  // 0-based panel.
  QString Text(int panel) const;
  void SetText(int panel, const QString& text);
  int PanelWidth(int panel) const { return widths_[static_cast<size_t>(panel)]; }
  void SetPanelWidth(int panel, int width);
  QLabel& Label(int panel) { return *labels_[static_cast<size_t>(panel)]; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return {0, sizeHint().height()}; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Place();

  std::array<QLabel*, kPanelCount> labels_{};
  std::array<int, kPanelCount> widths_{200, 0, 0};
};

}  // namespace quarlo
