#include "forms/TSplitter.h"

#include "forms/TWinControl.h"

QUELM_DEFINE_CLASS(TSplitter, TGraphicControl, b.ComponentFactory();
                   b.Property("Align", TypeInfoAlign(), &TSplitter::Align, &TSplitter::SetAlign).Default(3);
                   b.Property("AutoSnap", TypeInfoBoolean(), &TSplitter::AutoSnap, &TSplitter::SetAutoSnap).Default(1);
                   b.Property("Beveled", TypeInfoBoolean(), &TSplitter::Beveled, &TSplitter::SetBeveled).Default(0);
                   b.Property("MinSize", TypeInfoInteger(), &TSplitter::MinSize, &TSplitter::SetMinSize).Default(30);
                   b.Property("ResizeStyle", TypeInfoResizeStyle(), &TSplitter::ResizeStyle,
                              &TSplitter::SetResizeStyle)
                       .Default(3);
                   b.Event("OnCanResize", TypeInfoCanResizeEvent(), &TSplitter::OnCanResize);
                   b.Event("OnMoved", TypeInfoNotifyEvent(), &TSplitter::OnMoved))

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 3, 100);
  SetAlign(TAlign::alLeft);
}

TControl* TSplitter::ResizedControl() const {
  TWinControl* parent = Parent();
  if (!parent) return nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || c->Align() != Align() || !c->Visible()) continue;
    switch (Align()) {
    case TAlign::alLeft:
      if (c->Left() + c->Width() == Left()) return c;
      break;
    case TAlign::alRight:
      if (c->Left() == Left() + Width()) return c;
      break;
    case TAlign::alTop:
      if (c->Top() + c->Height() == Top()) return c;
      break;
    case TAlign::alBottom:
      if (c->Top() == Top() + Height()) return c;
      break;
    default: break;
    }
  }
  return nullptr;
}

bool TSplitter::DragTo(int newSize) {
  TControl* target = ResizedControl();
  if (!target) return false;
  if (newSize < FMinSize) newSize = FMinSize;
  bool accept = true;
  OnCanResize(this, newSize, accept);
  if (!accept) return false;
  bool horizontal = Align() == TAlign::alLeft || Align() == TAlign::alRight;
  if (horizontal) target->SetWidth(newSize);
  else target->SetHeight(newSize);
  OnMoved(this);
  return true;
}
