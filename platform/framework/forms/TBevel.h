#pragma once
// A framed box or line drawn on the form.
#include "forms/TGraphicControl.h"

class TBevel : public TGraphicControl {
  QUELM_CLASS(TBevel, TGraphicControl)

public:
  explicit TBevel(TComponent* owner);

  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape shape) { FShape = shape; }
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle style) { FStyle = style; }

private:
  TBevelShape FShape = TBevelShape::bsBox;
  TBevelStyle FStyle = TBevelStyle::bsLowered;
};
