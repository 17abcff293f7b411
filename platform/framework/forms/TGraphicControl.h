#pragma once
// Controls without a window of their own (labels, bevels, images,
// splitters): they draw on their parent and never take the focus.
#include "forms/TControl.h"

class TGraphicControl : public TControl {
  QUELM_CLASS(TGraphicControl, TControl)

public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
};
