#include "forms/TGroupBox.h"

QUELM_DEFINE_CLASS(TGroupBox, TWinControl, b.ComponentFactory();
                   b.Property("Caption", TypeInfoCaption(), &TGroupBox::Caption, &TGroupBox::SetCaption);
                   b.Event("OnClick", TypeInfoNotifyEvent(), &TGroupBox::OnClick))

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 105); }

TRect TGroupBox::AlignRect() const { return {2, 15, ClientWidth() - 2, ClientHeight() - 2}; }
