#pragma once
// A check box. Changing Checked fires OnClick, as the host's does, except
// while the box is read from a form definition.
#include "forms/TWinControl.h"

class TCheckBox : public TWinControl {
  QUELM_CLASS(TCheckBox, TWinControl)

public:
  explicit TCheckBox(TComponent* owner);

  bool Checked() const { return FChecked; }
  void SetChecked(bool checked);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment) { FAlignment = alignment; }
  // What a click on the box does: the tick toggles.
  void Toggle() { SetChecked(!FChecked); }

private:
  bool FChecked = false;
  TAlignment FAlignment = TAlignment::taRightJustify;
};
