#include "report/report.h"

#include "report/preview_host.h"
#include "report/report_progress.h"
#include "objects/serializer.h"
#include "objects/text_layout.h"

namespace quarlo {

const ClassInfo& TfrxReport::StaticClass() {
  static const ClassInfo info = [] {
    using R = TfrxReport;
    auto b = QUARLO_CLASS_BUILDER(TfrxReport, TfrxComponent);
    // Fixed: written for other readers, never read back.
    b.String("Version", &R::Version, nullptr);
    b.Bool("DotMatrixReport", &R::DotMatrixReport, &R::SetDotMatrixReport).Default(false);
    b.Object<TfrxEngineOptions>("EngineOptions", [](const R& r) { return &r.engineOptions_; });
    b.String("IniFile", &R::IniFile, &R::SetIniFile).Default(kDefaultIniFile);
    b.Bool("OldStyleProgress", &R::OldStyleProgress, &R::SetOldStyleProgress).Default(false);
    b.Object<TfrxPreviewOptions>("PreviewOptions", [](const R& r) { return &r.previewOptions_; });
    b.Object<TfrxPrintOptions>("PrintOptions", [](const R& r) { return &r.printOptions_; });
    b.Object<TfrxReportOptions>("ReportOptions", [](const R& r) { return &r.reportOptions_; });
    b.String("ScriptLanguage", &R::ScriptLanguage, &R::SetScriptLanguage);
    b.Object<TStringList>("ScriptText", [](const R& r) { return &r.scriptText_; });
    b.Bool("ShowProgress", &R::ShowProgress, &R::SetShowProgress).Default(true);
    // Events of the host program: published, never stored.
    for (const char* event :
         {"OnAfterPrintReport", "OnClickObject", "OnClosePreview", "OnDblClickObject",
          "OnMouseOverObject", "OnPreview", "OnPrintPage", "OnPrintReport", "OnProgress",
          "OnProgressStart", "OnProgressStop"}) {
      b.Unserialised(event, PropertyKind::Method);
    }
    return b.Build();
  }();
  return info;
}

TfrxReport::TfrxReport(TComponent* owner)
    : TfrxComponent(owner),
      drawText_(std::make_unique<TfrxDrawText>()),
      previewPages_(std::make_unique<TfrxPreviewPages>(this)) {
  scriptText_.Add("begin");
  scriptText_.Add("");
  scriptText_.Add("end.");
}

TfrxReport::~TfrxReport() {
  ClosePreview();
  progress_.reset();
  // The page store reads the report's options while it is cleared.
  previewPages_.reset();
}

void TfrxReport::LoadFromStream(Stream& stream) {
  Clear();
  TfrxXMLSerializer serializer(&stream);
  serializer.ReadObjectTree(*this);
  errors_.insert(serializer.Errors().begin(), serializer.Errors().end());
}

}  // namespace quarlo
