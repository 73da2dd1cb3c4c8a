#include "report/engine_options.h"

namespace quarlo {

const EnumInfo& SilentModeNames() {
  static const EnumInfo names{"simMessageBoxes", "simSilent", "simReThrow"};
  return names;
}

const ClassInfo& TfrxEngineOptions::StaticClass() {
  static const ClassInfo info = [] {
    using E = TfrxEngineOptions;
    auto b = QUARLO_CLASS_BUILDER(TfrxEngineOptions, TPersistent);
    b.Bool("ConvertNulls", &E::ConvertNulls, &E::SetConvertNulls).Default(true);
    b.Bool("DoublePass", &E::DoublePass, &E::SetDoublePass).Default(false);
    b.Integer("MaxMemSize", &E::MaxMemSize, &E::SetMaxMemSize).Default(10);
    b.Bool("PrintIfEmpty", &E::PrintIfEmpty, &E::SetPrintIfEmpty).Default(true);
    // Ahead of NewSilentMode, so that a document carrying both ends with the latter.
    b.Bool("SilentMode", &E::SilentMode, &E::SetSilentMode).Default(false);
    b.Enum("NewSilentMode", SilentModeNames(), &E::NewSilentMode, &E::SetNewSilentMode)
        .Default(simMessageBoxes);
    b.String("TempDir", &E::TempDir, &E::SetTempDir);
    b.Bool("UseFileCache", &E::UseFileCache, &E::SetUseFileCache).Default(false);
    b.Bool("IgnoreDevByZero", &E::IgnoreDevByZero, &E::SetIgnoreDevByZero).Default(false);
    return b.Build();
  }();
  return info;
}

}  // namespace quarlo
