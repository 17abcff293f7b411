#include "forms/TCheckBox.h"

QUELM_DEFINE_CLASS(TCheckBox, TWinControl, b.ComponentFactory();
                   b.Property("Alignment", TypeInfoAlignment(), &TCheckBox::Alignment, &TCheckBox::SetAlignment)
                       .Default(1);
                   b.Property("Caption", TypeInfoCaption(), &TCheckBox::Caption, &TCheckBox::SetCaption);
                   b.Property("Checked", TypeInfoBoolean(), &TCheckBox::Checked, &TCheckBox::SetChecked).Default(0);
                   b.Event("OnClick", TypeInfoNotifyEvent(), &TCheckBox::OnClick))

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
}

void TCheckBox::SetChecked(bool checked) {
  if (checked == FChecked) return;
  FChecked = checked;
  Changed(TControlChange::Checked);
  if (!IsLoading()) Click();
}
