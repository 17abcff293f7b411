#include "forms/TButton.h"

#include "forms/TForm.h"

QUELM_DEFINE_CLASS(TButton, TWinControl, b.ComponentFactory();
                   b.Property("Cancel", TypeInfoBoolean(), &TButton::Cancel, &TButton::SetCancel).Default(0);
                   b.Property("Caption", TypeInfoCaption(), &TButton::Caption, &TButton::SetCaption);
                   b.Property("Default", TypeInfoBoolean(), &TButton::Default, &TButton::SetDefault).Default(0);
                   b.Property("ModalResult", TypeInfoModalResult(), &TButton::ModalResult, &TButton::SetModalResult)
                       .Default(0);
                   b.Event("OnClick", TypeInfoNotifyEvent(), &TButton::OnClick))

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TButton::Click() {
  if (TForm* form = ParentForm(); form && FModalResult != mrNone) form->SetModalResult(FModalResult);
  TWinControl::Click();
}
