#include "report/preview_options.h"

namespace quarlo {

const EnumInfo& PreviewButtonMembers() {
  static const EnumInfo names{"pbPrint",     "pbLoad",    "pbSave",        "pbExport",
                              "pbZoom",      "pbFind",    "pbOutline",     "pbPageSetup",
                              "pbTools",     "pbEdit",    "pbNavigator",   "pbExportQuick",
                              "pbNoClose",   "pbNoFullScreen", "pbNoEmail"};
  return names;
}

const EnumInfo& ZoomModeNames() {
  static const EnumInfo names{"zmDefault", "zmWholePage", "zmPageWidth", "zmManyPages"};
  return names;
}

const ClassInfo& TfrxPreviewOptions::StaticClass() {
  static const ClassInfo info = [] {
    using P = TfrxPreviewOptions;
    auto b = QUARLO_CLASS_BUILDER(TfrxPreviewOptions, TPersistent);
    b.Bool("AllowEdit", &P::AllowEdit, &P::SetAllowEdit).Default(true);
    b.Set("Buttons", PreviewButtonMembers(), &P::Buttons, &P::SetButtons)
        .Default(kDefaultPreviewButtons);
    b.Bool("DoubleBuffered", &P::DoubleBuffered, &P::SetDoubleBuffered).Default(true);
    b.Bool("Maximized", &P::Maximized, &P::SetMaximized).Default(true);
    b.Bool("MDIChild", &P::MDIChild, &P::SetMDIChild).Default(false);
    b.Bool("Modal", &P::Modal, &P::SetModal).Default(true);
    b.Bool("OutlineExpand", &P::OutlineExpand, &P::SetOutlineExpand).Default(true);
    b.Bool("OutlineVisible", &P::OutlineVisible, &P::SetOutlineVisible).Default(false);
    b.Integer("OutlineWidth", &P::OutlineWidth, &P::SetOutlineWidth).Default(120);
    b.Integer("PagesInCache", &P::PagesInCache, &P::SetPagesInCache).Default(50);
    b.Bool("ThumbnailVisible", &P::ThumbnailVisible, &P::SetThumbnailVisible).Default(false);
    b.Bool("ShowCaptions", &P::ShowCaptions, &P::SetShowCaptions).Default(false);
    b.Float("Zoom", &P::Zoom, &P::SetZoom).Default(1.0);
    b.Enum("ZoomMode", ZoomModeNames(), &P::ZoomMode, &P::SetZoomMode).Default(zmDefault);
    b.Bool("PictureCacheInFile", &P::PictureCacheInFile, &P::SetPictureCacheInFile)
        .Default(false);
    return b.Build();
  }();
  return info;
}

}  // namespace quarlo
