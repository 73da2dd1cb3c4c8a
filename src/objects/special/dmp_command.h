#pragma once
// A raw printer command placed on a dot-matrix page. It carries its bytes through
// loading and saving and draws as a plain view.

#include <string>

#include "objects/view.h"

namespace quarlo {

class TfrxDMPCommand : public TfrxView {
  QUARLO_CLASS(TfrxDMPCommand)
 public:
  explicit TfrxDMPCommand(TComponent* owner);

  // Snapped to whole cells and rows.
  void SetLeft(double value) override;
  void SetTop(double value) override;

  // The escape sequence or other raw bytes for the printer.
  const std::string& Command() const { return command_; }
  void SetCommand(const std::string& v) { command_ = v; }

  std::string GetDescription() const override;
  // View attributes, then Command (escaped) where it differs.
  std::string WriteDifferences(const TfrxComponent& tmpl) const override;

 private:
  std::string command_;
};

}  // namespace quarlo
