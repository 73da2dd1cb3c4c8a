#include "objects/special/dmp_command.h"

#include "objects/property_differences.h"
#include "objects/special/dmp_grid.h"
#include "resources/resources.h"

namespace quarlo {

const ClassInfo& TfrxDMPCommand::StaticClass() {
  static const ClassInfo info = [] {
    auto b = QUARLO_CLASS_BUILDER(TfrxDMPCommand, TfrxView);
    b.String("Command", &TfrxDMPCommand::Command, &TfrxDMPCommand::SetCommand);
    return b.Build();
  }();
  return info;
}

TfrxDMPCommand::TfrxDMPCommand(TComponent* owner) : TfrxView(owner) {}

void TfrxDMPCommand::SetLeft(double value) { TfrxView::SetLeft(RoundToCells(value, kCellWidth)); }

void TfrxDMPCommand::SetTop(double value) { TfrxView::SetTop(RoundToCells(value, kCellHeight)); }

std::string TfrxDMPCommand::GetDescription() const { return frxResources().Get("obDMPCmd"); }

std::string TfrxDMPCommand::WriteDifferences(const TfrxComponent& tmpl) const {
  std::string s = TfrxView::WriteDifferences(tmpl);
  const auto* t = As<TfrxDMPCommand>(&tmpl);
  if (!t) return s;
  DifferenceWriter w;
  w.String("Command", command_, t->command_);
  return s + w.Result();
}

}  // namespace quarlo
