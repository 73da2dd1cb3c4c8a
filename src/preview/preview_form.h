#pragma once
// The preview window: the preview control filling it, a toolbar whose buttons call the
// control (which buttons exist follows the report's PreviewOptions.Buttons), a
// three-panel status bar and the right-click menu built from the toolbar. It keeps no
// settings of its own between runs.
#include <QMainWindow>
#include <QPointer>
#include <string>
#include <vector>

#include "report/preview_host.h"

class QAction;
class QComboBox;
class QEventLoop;
class QLineEdit;
class QMenu;
class QToolBar;
class QToolButton;

namespace quarlo {

class TfrxPreview;
class StatusPanels;

class TfrxPreviewForm final : public QMainWindow, public PreviewWindow {
  Q_OBJECT

 public:
  // One toolbar entry in toolbar order; `name` is the component name ("PrintB", "Sep1").
  struct ToolItem {
    enum Kind { Button, CheckButton, Separator, Panel };
    QString name;
    Kind kind = Button;
    QAction* action = nullptr;    // the toolbar's action; visibility and enabled state
    QAction* menuItem = nullptr;  // its RightMenu item, once Setup made one
  };

  explicit TfrxPreviewForm(TfrxReport* report = nullptr, QWidget* parent = nullptr);
  ~TfrxPreviewForm() override;

  TfrxPreview& Preview() { return *preview_; }

  // PreviewWindow
  PreviewControl& Control() override;
  void Setup() override;
  void SetCentred(bool centred) override { centred_ = centred; }
  void ShowModal() override;
  void ShowNonModal(bool ownTaskbarButton) override;
  void ShowStatusText(const std::string& text, bool hint) override;
  void Close() override { close(); }

  void RefreshButtons();
  void ShowPageNumber(int page);
  void ShowZoom();
  void ToggleFullScreen();
  bool FullScreen() const { return fullScreen_; }

  // The handlers of the toolbar and the keys, callable as the buttons call them.
  void PrintBClick();
  void OpenBClick();
  void SaveBClick();
  // The PDF export, from PdfB and from the export drop-down alike.
  void PdfBClick();
  void FindBClick();
  void PageSettingsBClick();
  void DesignerBClick();
  void ZoomPlusBClick();
  void ZoomMinusBClick();
  // index: the list item chosen, or -1 for the typed text (Enter). A text that is not
  // a number is shown as a conversion error and the zoom stays.
  void ZoomCBClick(int index);
  void PageEClick();
  void FirstBClick();
  void PriorBClick();
  void NextBClick();
  void LastBClick();
  void OutlineBClick();
  void ThumbBClick();
  void FullScreenBtnClick() { ToggleFullScreen(); }
  void CancelBClick();

  const std::vector<ToolItem>& ToolItems() const { return items_; }
  const ToolItem* Item(const QString& name) const;
  // Names of the toolbar items shown after Setup, in order.
  std::vector<QString> VisibleToolItems() const;
  QToolBar& ToolBar() { return *toolBar_; }
  QComboBox& ZoomCB() { return *zoomCB_; }
  QLineEdit& PageE() { return *pageE_; }
  QToolButton& CancelB() { return *cancelB_; }
  QMenu& RightMenu() { return *rightMenu_; }
  QMenu& HiddenMenu() { return *hiddenMenu_; }

  // Minimising a modal window minimises the whole application instead: a modal window
  // alone on the task bar would leave its owner blocked in view. The application's return
  // to the front restores what was minimised and activates this window.
  void MinimizeApplication();
  void ApplicationActivated();
  bool ApplicationMinimized() const { return !minimizedWindows_.empty(); }
  StatusPanels& Panels() { return *panels_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void CreateToolBar();
  QAction* AddButton(const QString& name, int image, int caption, int hint, void (TfrxPreviewForm::*click)(),
                     bool check = false);
  QAction* AddSeparator(const QString& name, int width = 0);
  QAction* AddPanel(const QString& name, QWidget* content, int width);
  void SetItemVisible(const QString& name, bool visible);
  void SetButtonEnabled(const QString& name, bool enabled);
  void BuildRightMenu();
  void UpdateCaption();
  void SizeForMaximising();
  // A .fp3 dropped on the window replaces the pages, as the open button would.
  void OpenDroppedFile(const QString& path);
  void FormResize();
  int ButtonsSet() const;

  TfrxReport* report_ = nullptr;
  TfrxPreview* preview_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QComboBox* zoomCB_ = nullptr;
  QLineEdit* pageE_ = nullptr;
  QToolButton* cancelB_ = nullptr;
  QMenu* rightMenu_ = nullptr;
  QMenu* exportPopup_ = nullptr;
  QMenu* hiddenMenu_ = nullptr;
  QAction* collapseMI_ = nullptr;
  QAction* expandMI_ = nullptr;
  QAction* n1_ = nullptr;
  StatusPanels* panels_ = nullptr;
  std::vector<ToolItem> items_;
  QEventLoop* modalLoop_ = nullptr;
  bool centred_ = true;
  bool freeOnClose_ = false;
  bool fullScreen_ = false;
  Qt::WindowFlags savedFlags_;
  Qt::WindowStates savedState_;
  struct MinimizedWindow {
    QPointer<QWidget> window;
    Qt::WindowStates before;
  };
  std::vector<MinimizedWindow> minimizedWindows_;
};

// "页 %d / %d"-style resource text with its first two %d filled in; the text is
// never handed to a printf-style formatter, so a damaged resource cannot misread memory.
QString FormatPageOf(const QString& pattern, int page, int count);

// The host the program registers: each preview is a TfrxPreviewForm.
class PreviewFormHost final : public PreviewHost {
 public:
  PreviewWindow* CreatePreviewWindow(TfrxReport& report) override;
  void DestroyPreviewWindow(PreviewWindow* window) override;
};

}  // namespace quarlo
