#pragma once
// The preview as the report object sees it. The preview layer implements these and
// registers a host at start-up, so the report object can show its pages without
// knowing the window system.
#include <string>

namespace quarlo {

class TfrxPreviewPages;
class TfrxReport;

// The control that shows one report's pages.
//
// A control given a report must call that report's ForgetPreview(this) when it is
// destroyed, so the report never keeps a pointer to a closed window. A control whose
// report was taken away (AssignReport with nulls) must not touch that report again.
class PreviewControl {
 public:
  virtual ~PreviewControl() = default;
  // Hands the control a report and its page store; nulls take them away.
  virtual void AssignReport(TfrxReport* report, TfrxPreviewPages* pages) = 0;
  // Lays the current pages out and shows the first one.
  virtual void Attach() = 0;
  // A report run has started: the pages are about to change.
  virtual void ReportRunStarted() {}
  // The pages are in use elsewhere (being printed): the control stops reacting to input
  // and painting them until it is unlocked, then lays them out and paints them again.
  virtual void LockView() {}
  virtual void UnlockView() {}
};

// The preview window made by ShowPreparedReport; owned by the application.
class PreviewWindow {
 public:
  virtual ~PreviewWindow() = default;
  virtual PreviewControl& Control() = 0;
  // Attaches the control and lays out the window (maximised when the options ask).
  virtual void Setup() = 0;
  // Switched off for a window that starts maximised: it keeps its designed position.
  virtual void SetCentred(bool centred) = 0;
  // Shows the window modally; returns when it has closed. The window still exists.
  virtual void ShowModal() = 0;
  // Marks the window to free itself when closed, shows it and returns at once.
  // ownTaskbarButton: the window gets its own entry in the desktop's task bar.
  virtual void ShowNonModal(bool ownTaskbarButton) = 0;
  // UTF-8 text into the status bar: the hint area when hint, else the plain area.
  virtual void ShowStatusText(const std::string& text, bool hint) = 0;
  // Closes the window; one marked to free itself goes away (possibly a little later).
  virtual void Close() = 0;
};

class PreviewHost {
 public:
  virtual ~PreviewHost() = default;
  // A new preview window for report, or null when none can be made.
  virtual PreviewWindow* CreatePreviewWindow(TfrxReport& report) = 0;
  // Frees a window after its modal run.
  virtual void DestroyPreviewWindow(PreviewWindow* window) = 0;
};

// The process-wide host (not owned); null removes it. Without a host
// ShowPreparedReport shows nothing.
void SetPreviewHost(PreviewHost* host);
PreviewHost* GetPreviewHost();

}  // namespace quarlo
