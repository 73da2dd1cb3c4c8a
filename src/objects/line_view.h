#pragma once
// Lines: drawn with the frame machinery of views (colour, width and style are the
// frame's), horizontal or vertical unless Diagonal, optionally with arrow heads.

#include <string>

#include "objects/view.h"

namespace quarlo {

class TfrxCustomLineView : public TfrxStretcheable {
  QUARLO_CLASS(TfrxCustomLineView)
 public:
  explicit TfrxCustomLineView(TComponent* owner);

  bool Diagonal() const { return diagonal_; }
  void SetDiagonal(bool v) { diagonal_ = v; }
  bool ArrowStart() const { return arrowStart_; }
  void SetArrowStart(bool v) { arrowStart_ = v; }
  bool ArrowEnd() const { return arrowEnd_; }
  void SetArrowEnd(bool v) { arrowEnd_ = v; }
  bool ArrowSolid() const { return arrowSolid_; }
  void SetArrowSolid(bool v) { arrowSolid_ = v; }
  // Length of the head along the line and half its width, report pixels.
  int ArrowLength() const { return arrowLength_; }
  void SetArrowLength(int v) { arrowLength_ = v; }
  int ArrowWidth() const { return arrowWidth_; }
  void SetArrowWidth(int v) { arrowWidth_ = v; }

  void Draw(Canvas& canvas, double scaleX, double scaleY, double offsetX,
            double offsetY) override;
  std::string GetDescription() const override;

 private:
  bool diagonal_ = false;
  bool arrowStart_ = false;
  bool arrowEnd_ = false;
  bool arrowSolid_ = false;
  int arrowLength_ = 20;
  int arrowWidth_ = 5;
};

class TfrxLineView : public TfrxCustomLineView {
  QUARLO_CLASS(TfrxLineView)
 public:
  explicit TfrxLineView(TComponent* owner);
};

}  // namespace quarlo
