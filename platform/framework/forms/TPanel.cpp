#include "forms/TPanel.h"

QUELM_DEFINE_CLASS(TPanel, TWinControl, b.ComponentFactory();
                   b.Property("Alignment", TypeInfoAlignment(), &TPanel::Alignment, &TPanel::SetAlignment).Default(2);
                   b.Property("BevelInner", TypeInfoBevelCut(), &TPanel::BevelInner, &TPanel::SetBevelInner)
                       .Default(0);
                   b.Property("BevelOuter", TypeInfoBevelCut(), &TPanel::BevelOuter, &TPanel::SetBevelOuter)
                       .Default(2);
                   b.Property("BevelWidth", TypeInfoInteger(), &TPanel::BevelWidth, &TPanel::SetBevelWidth)
                       .Default(1);
                   b.Property("BorderWidth", TypeInfoInteger(), &TPanel::BorderWidth, &TPanel::SetBorderWidth)
                       .Default(0);
                   b.Property("Caption", TypeInfoCaption(), &TPanel::Caption, &TPanel::SetCaption);
                   b.Event("OnClick", TypeInfoNotifyEvent(), &TPanel::OnClick))

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::SetBevelOuter(TBevelCut cut) {
  FBevelOuter = cut;
  Realign();
}
void TPanel::SetBevelInner(TBevelCut cut) {
  FBevelInner = cut;
  Realign();
}
void TPanel::SetBevelWidth(int width) {
  FBevelWidth = width;
  Realign();
}
void TPanel::SetBorderWidth(int width) {
  FBorderWidth = width;
  Realign();
}

TRect TPanel::AlignRect() const {
  int inset = FBorderWidth;
  if (FBevelOuter != TBevelCut::bvNone) inset += FBevelWidth;
  if (FBevelInner != TBevelCut::bvNone) inset += FBevelWidth;
  return {inset, inset, ClientWidth() - inset, ClientHeight() - inset};
}
