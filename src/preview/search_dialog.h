#pragma once
// The find dialog of the preview: the text to look for, whether to start at the first
// page, whether letter case matters. It remembers the last confirmed text for the whole
// run of the program and offers it the next time.
#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace quarlo {

class TfrxSearchDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit TfrxSearchDialog(QWidget* parent = nullptr);

  QLineEdit& TextE() { return *textE_; }
  QCheckBox& TopCB() { return *topCB_; }
  QCheckBox& CaseCB() { return *caseCB_; }
  QPushButton& OkB() { return *okB_; }
  QPushButton& CancelB() { return *cancelB_; }
  // The replace row exists but the preview never shows it.
  QWidget& ReplacePanel() { return *replacePanel_; }

  // UTF-8; the text of the last search confirmed with OK, empty at start.
  static QString LastSearchText();
  static void SetLastSearchText(const QString& text);

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QLineEdit* textE_ = nullptr;
  QWidget* replacePanel_ = nullptr;
  QLineEdit* replaceE_ = nullptr;
  QCheckBox* topCB_ = nullptr;
  QCheckBox* caseCB_ = nullptr;
  QPushButton* okB_ = nullptr;
  QPushButton* cancelB_ = nullptr;
};

// Shows "Text not found" in a plain message box over parent. A handler set with
// SetTextNotFoundHandler replaces the box (tests count the reports); null restores it.
void ShowTextNotFound(QWidget* parent);
void SetTextNotFoundHandler(std::function<void()> handler);

}  // namespace quarlo
