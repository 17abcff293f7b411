#pragma once
// A captioned frame around a group of controls.
#include "forms/TWinControl.h"

class TGroupBox : public TWinControl {
  QUELM_CLASS(TGroupBox, TWinControl)

public:
  explicit TGroupBox(TComponent* owner);
  // Inside the frame, below the caption.
  TRect AlignRect() const override;
  bool AcceptsControls() const override { return true; }
};
