#include "forms/TPopupMenu.h"

#include "forms/TControl.h"
#include "rtl/TList.h"
#include "rtl/TextCompare.h"

#include <algorithm>

QUELM_DEFINE_CLASS(TMenuItem, TComponent, b.ComponentFactory();
                   b.Property("Caption", TypeInfoCaption(), &TMenuItem::Caption, &TMenuItem::SetCaption);
                   b.Property("Checked", TypeInfoBoolean(), &TMenuItem::Checked, &TMenuItem::SetChecked).Default(0);
                   b.Property("Enabled", TypeInfoBoolean(), &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(1);
                   b.Property("Hint", TypeInfoString(), &TMenuItem::Hint, &TMenuItem::SetHint);
                   b.Property("ShortCut", TypeInfoInteger(), &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
                       .Default(0);
                   b.Property("Visible", TypeInfoBoolean(), &TMenuItem::Visible, &TMenuItem::SetVisible).Default(1);
                   b.Event("OnClick", TypeInfoNotifyEvent(), &TMenuItem::OnClick))

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  // Sub-items are owned by the form, not by this item: detach them only.
  for (TMenuItem* item : FItems) item->FParent = nullptr;
  FItems.clear();
  if (FParent) FParent->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  return FItems[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item->FParent) item->FParent->Remove(item);
  index = std::clamp(index, 0, Count());
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
  if (item->FParent == this) item->FParent = nullptr;
}

TMenuItem* TMenuItem::Find(const std::string& text) const {
  for (TMenuItem* item : FItems)
    if (SameText(item->Name(), text) || SameText(StripHotkey(item->FCaption), StripHotkey(text))) return item;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent) item = item->FParent;
  return item->FMenu;
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = dynamic_cast<TMenu*>(parent)) menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
}

void TMenuItem::Click() { OnClick(this); }

QUELM_DEFINE_CLASS(TMenu, TComponent)

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(std::make_unique<TMenuItem>(nullptr)) {
  FItems->FMenu = this;
}

QUELM_DEFINE_CLASS(TPopupMenu, TMenu, b.ComponentFactory();
                   b.Property("AutoPopup", TypeInfoBoolean(), &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
                       .Default(1);
                   b.Event("OnPopup", TypeInfoNotifyEvent(), &TPopupMenu::OnPopup))

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::Popup(int x, int y) {
  OnPopup(this);
  WidgetSet().ShowPopupMenu(*this, x, y);
}
