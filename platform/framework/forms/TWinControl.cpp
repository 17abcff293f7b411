#include "forms/TWinControl.h"

#include "forms/TForm.h"
#include "rtl/TList.h"
#include "rtl/ScopeGuard.h"

#include <algorithm>

QUELM_DEFINE_CLASS(TWinControl, TControl,
                   b.Property("TabOrder", TypeInfoTabOrder(), &TWinControl::TabOrder, &TWinControl::SetTabOrder)
                       .Default(-1);
                   b.Property("TabStop", TypeInfoBoolean(), &TWinControl::TabStop, &TWinControl::SetTabStop);
                   b.Event("OnEnter", TypeInfoNotifyEvent(), &TWinControl::OnEnter);
                   b.Event("OnExit", TypeInfoNotifyEvent(), &TWinControl::OnExit);
                   b.Event("OnKeyPress", TypeInfoKeyPressEvent(), &TWinControl::OnKeyPress))

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children are owned by their owner, not by their parent: they are only
  // detached here, and their owner frees them.
  while (!FControls.empty()) {
    TControl* child = FControls.back();
    FControls.pop_back();
    child->FParent = nullptr;
  }
  FTabList.clear();
  if (FHandle) WidgetSet().DestroyHandle(FHandle);
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) RaiseListIndexError(index);
  return FControls[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* control) {
  FControls.push_back(control);
  control->FParent = this;
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    FTabList.push_back(windowed);
    if (windowed->FPendingTabOrder >= 0) {
      int order = windowed->FPendingTabOrder;
      windowed->FPendingTabOrder = -1;
      windowed->SetTabOrder(order);
    }
  }
  ControlInserted(control);
  if (control->Align() != TAlign::alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), control), FTabList.end());
  control->FParent = nullptr;
  ControlRemoved(control);
  if (control->Align() != TAlign::alNone) Realign();
}

int TWinControl::TabOrder() const {
  if (!Parent()) return FPendingTabOrder;
  auto& list = Parent()->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) {
    FPendingTabOrder = order;
    return;
  }
  auto& list = Parent()->FTabList;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (order < 0 || order > static_cast<int>(list.size())) order = static_cast<int>(list.size());
  list.insert(list.begin() + order, this);
}

std::vector<TWinControl*> TWinControl::TabOrderList() const {
  std::vector<TWinControl*> result;
  for (TWinControl* child : FTabList) {
    result.push_back(child);
    auto inner = child->TabOrderList();
    result.insert(result.end(), inner.begin(), inner.end());
  }
  return result;
}

THandle TWinControl::Handle() {
  if (!FHandle) FHandle = WidgetSet().CreateHandle(*this);
  return FHandle;
}

bool TWinControl::CanFocus() const { return IsShowing() && IsEffectivelyEnabled(); }

bool TWinControl::Focused() const {
  TForm* form = GetParentForm(*this);
  return form && form->IsShowingModal() && form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  TForm* form = GetParentForm(*this);
  if (!form) return;
  if (!form->Visible()) {
    form->SetActiveControl(this);
    return;
  }
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  form->FocusControl(this);
}

void TWinControl::DoEnter() { OnEnter(this); }
void TWinControl::DoExit() { OnExit(this); }

char TWinControl::KeyPress(char key) {
  TForm* form = GetParentForm(*this);
  if (form && form != this && form->KeyPreview()) form->OnKeyPress(form, key);
  if (key != 0) OnKeyPress(this, key);
  return key;
}

void TWinControl::BoundsChanged(int oldClientWidth, int oldClientHeight) {
  if (IsLoading()) return;
  int dw = ClientWidth() - oldClientWidth, dh = ClientHeight() - oldClientHeight;
  if (dw != 0 || dh != 0) {
    // Anchored to the right or bottom edge: keep that distance, stretching
    // when also anchored to the opposite edge.
    for (TControl* child : std::vector<TControl*>(FControls)) {
      if (child->Align() != TAlign::alNone) continue;
      TAnchors a = child->Anchors();
      int left = child->Left(), top = child->Top(), width = child->Width(), height = child->Height();
      if (a.Contains(TAnchorKind::akRight)) {
        if (a.Contains(TAnchorKind::akLeft)) width += dw;
        else left += dw;
      }
      if (a.Contains(TAnchorKind::akBottom)) {
        if (a.Contains(TAnchorKind::akTop)) height += dh;
        else top += dh;
      }
      child->SetBounds(left, top, width, height);
    }
  }
  Realign();
}

void TWinControl::Realign() {
  if (FAligning || IsLoading()) return;
  FAligning = true;
  TScopeGuard reset([this] { FAligning = false; });
  TRect rect = AlignRect();
  AlignControls(rect);
}

void TWinControl::AlignControls(TRect& rect) {
  // Top strips first, then bottom, left, right, and the client control last,
  // each group in the order of their current positions, as the host does.
  auto place = [&](TAlign align) {
    std::vector<TControl*> group;
    for (TControl* c : FControls)
      if (c->Align() == align && c->Visible()) group.push_back(c);
    std::stable_sort(group.begin(), group.end(), [align](TControl* a, TControl* b) {
      switch (align) {
      case TAlign::alTop: return a->Top() < b->Top();
      case TAlign::alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
      case TAlign::alLeft: return a->Left() < b->Left();
      case TAlign::alRight: return a->Left() + a->Width() > b->Left() + b->Width();
      default: return false;
      }
    });
    for (TControl* c : group) {
      switch (align) {
      case TAlign::alTop:
        c->SetAlignedBounds(rect.Left, rect.Top, rect.Width(), c->Height());
        rect.Top += c->Height();
        break;
      case TAlign::alBottom:
        c->SetAlignedBounds(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
        rect.Bottom -= c->Height();
        break;
      case TAlign::alLeft:
        c->SetAlignedBounds(rect.Left, rect.Top, c->Width(), rect.Height());
        rect.Left += c->Width();
        break;
      case TAlign::alRight:
        c->SetAlignedBounds(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
        rect.Right -= c->Width();
        break;
      case TAlign::alClient: c->SetAlignedBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); break;
      default: break;
      }
    }
  };
  for (TAlign align : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient})
    place(align);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

TForm* GetParentForm(const TControl& control) {
  const TControl* c = &control;
  while (c->Parent()) c = c->Parent();
  return const_cast<TForm*>(dynamic_cast<const TForm*>(c));
}
