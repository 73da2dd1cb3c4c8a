#pragma once
// The preview window: a toolbar, the page workspace and a status bar, showing one
// report's page store. Made by the preview host the program registers at start-up.
#include <QMainWindow>
#include <memory>
#include <string>

#include "app/report/preview_host.h"

class QAction;
class QEventLoop;
class QLabel;

namespace quarlo {

class TfrxPreviewWorkspace;

class TfrxPreviewForm final : public QMainWindow, public TfrxPreviewWindow, public TfrxPreviewControl {
  Q_OBJECT

 public:
  explicit TfrxPreviewForm(TfrxReport* report = nullptr, QWidget* parent = nullptr);
  ~TfrxPreviewForm() override;

  TfrxPreviewWorkspace& Workspace() { return *workspace_; }
  QLabel& PageLabel() { return *pageLabel_; }
  QLabel& HintLabel() { return *hintLabel_; }
  QLabel& TextLabel() { return *textLabel_; }

  // TfrxPreviewControl
  void AssignReport(TfrxReport* report, TfrxPreviewPages* pages) override;
  void Attach() override;

  // TfrxPreviewWindow
  TfrxPreviewControl& PreviewControl() override { return *this; }
  void Setup() override;
  void SetCentred(bool centred) override { centred_ = centred; }
  void ShowModal() override;
  void ShowNonModal(bool ownTaskbarButton) override;
  void ShowStatusText(const std::string& text, bool hint) override;
  void Close() override { close(); }

  void ZoomIn();
  void ZoomOut();
  void First();
  void Prior();
  void Next();
  void Last();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void UpdateCaption();
  void UpdatePageStatus();
  QAction* AddButton(int image, int textNumber, void (TfrxPreviewForm::*slot)());

  TfrxReport* report_ = nullptr;
  TfrxPreviewPages* pages_ = nullptr;
  TfrxPreviewWorkspace* workspace_ = nullptr;
  QLabel* pageLabel_ = nullptr;
  QLabel* textLabel_ = nullptr;
  QLabel* hintLabel_ = nullptr;
  QEventLoop* modalLoop_ = nullptr;
  bool centred_ = true;
};

// "页 %d / %d"-style resource text with its first two %d filled in; the text is
// never handed to a printf-style formatter, so a damaged resource cannot misread memory.
QString FormatPageOf(const QString& pattern, int page, int count);

// The host the program registers: each preview is a TfrxPreviewForm.
class TfrxPreviewFormHost final : public TfrxPreviewHost {
 public:
  TfrxPreviewWindow* CreatePreviewWindow(TfrxReport& report) override;
  void DestroyPreviewWindow(TfrxPreviewWindow* window) override;
};

}  // namespace quarlo
