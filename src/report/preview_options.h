#pragma once
// Options of the preview window and the page store's cache of built pages.

#include "objects/property_model.h"

namespace quarlo {

enum TfrxPreviewButton : int {
  pbPrint,
  pbLoad,
  pbSave,
  pbExport,
  pbZoom,
  pbFind,
  pbOutline,
  pbPageSetup,
  pbTools,
  pbEdit,
  pbNavigator,
  pbExportQuick,
  pbNoClose,
  pbNoFullScreen,
  pbNoEmail
};
const EnumInfo& PreviewButtonMembers();
// Bit of a button in the Buttons set.
constexpr int PreviewButtonBit(TfrxPreviewButton b) { return 1 << b; }
// pbPrint .. pbExportQuick.
inline constexpr int kDefaultPreviewButtons = (1 << (pbExportQuick + 1)) - 1;

enum TfrxZoomMode : int { zmDefault, zmWholePage, zmPageWidth, zmManyPages };
const EnumInfo& ZoomModeNames();

class TfrxPreviewOptions : public TPersistent {
  QUARLO_CLASS(TfrxPreviewOptions)
 public:
  TfrxPreviewOptions() = default;
  TfrxPreviewOptions(const TfrxPreviewOptions&) = default;
  TfrxPreviewOptions& operator=(const TfrxPreviewOptions&) = default;

  bool AllowEdit() const { return allowEdit_; }
  void SetAllowEdit(bool v) { allowEdit_ = v; }
  // Set of TfrxPreviewButton bits (16 bits stored).
  int Buttons() const { return buttons_; }
  void SetButtons(int v) { buttons_ = v & 0xFFFF; }
  bool HasButton(TfrxPreviewButton b) const { return (buttons_ & PreviewButtonBit(b)) != 0; }
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool v) { doubleBuffered_ = v; }
  bool Maximized() const { return maximized_; }
  void SetMaximized(bool v) { maximized_ = v; }
  bool MDIChild() const { return mdiChild_; }
  void SetMDIChild(bool v) { mdiChild_ = v; }
  bool Modal() const { return modal_; }
  void SetModal(bool v) { modal_ = v; }
  bool OutlineExpand() const { return outlineExpand_; }
  void SetOutlineExpand(bool v) { outlineExpand_ = v; }
  bool OutlineVisible() const { return outlineVisible_; }
  void SetOutlineVisible(bool v) { outlineVisible_ = v; }
  int OutlineWidth() const { return outlineWidth_; }
  void SetOutlineWidth(int v) { outlineWidth_ = v; }
  int PagesInCache() const { return pagesInCache_; }
  void SetPagesInCache(int v) { pagesInCache_ = v; }
  bool ThumbnailVisible() const { return thumbnailVisible_; }
  void SetThumbnailVisible(bool v) { thumbnailVisible_ = v; }
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool v) { showCaptions_ = v; }
  double Zoom() const { return zoom_; }
  void SetZoom(double v) { zoom_ = v; }
  TfrxZoomMode ZoomMode() const { return zoomMode_; }
  void SetZoomMode(TfrxZoomMode v) { zoomMode_ = v; }
  bool PictureCacheInFile() const { return pictureCacheInFile_; }
  void SetPictureCacheInFile(bool v) { pictureCacheInFile_ = v; }

 private:
  bool allowEdit_ = true;
  int buttons_ = kDefaultPreviewButtons;
  bool doubleBuffered_ = true;
  bool maximized_ = true;
  bool mdiChild_ = false;
  bool modal_ = true;
  bool outlineExpand_ = true;
  bool outlineVisible_ = false;
  int outlineWidth_ = 120;
  int pagesInCache_ = 50;
  bool thumbnailVisible_ = false;
  bool showCaptions_ = false;
  double zoom_ = 1.0;
  TfrxZoomMode zoomMode_ = zmDefault;
  bool pictureCacheInFile_ = false;
};

}  // namespace quarlo
