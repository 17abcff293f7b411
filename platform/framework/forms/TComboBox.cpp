#include "forms/TComboBox.h"

#include "rtl/ScopeGuard.h"
QUELM_DEFINE_CLASS(
    TComboBox, TWinControl, b.ComponentFactory();
    b.Property("DropDownCount", TypeInfoInteger(), &TComboBox::DropDownCount, &TComboBox::SetDropDownCount)
        .Default(8);
    b.Property("ItemIndex", TypeInfoInteger(), &TComboBox::ItemIndex, &TComboBox::SetItemIndex).Default(-1);
    b.Property("Items", TStrings::StaticClass().TypeInfo(), &TComboBox::Items, &TComboBox::SetItems);
    b.Property("Sorted", TypeInfoBoolean(), &TComboBox::Sorted, &TComboBox::SetSorted).Default(0);
    b.Property("Style", TypeInfoComboBoxStyle(), &TComboBox::Style, &TComboBox::SetStyle).Default(0);
    b.Property("Text", TypeInfoCaption(), &TComboBox::Text, &TComboBox::SetText);
    b.Event("OnChange", TypeInfoNotifyEvent(), &TComboBox::OnChange);
    b.Event("OnClick", TypeInfoNotifyEvent(), &TComboBox::OnClick);
    b.Event("OnDblClick", TypeInfoNotifyEvent(), &TComboBox::OnDblClick))

TComboBox::TComboBox(TComponent* owner)
    : TWinControl(owner),
      FItems(std::make_unique<TItemStrings>([this](TItemStrings::TChange c, int i) { ItemsChanged(c, i); })) {
  SetTabStop(true);
  SetBounds(0, 0, 145, 21);
}

void TComboBox::SetItemIndex(int index) {
  // Items may come after ItemIndex in a form definition.
  if (IsLoading()) {
    FItemIndex = index;
    return;
  }
  if (index < -1 || index >= FItems->Count()) index = -1;
  FSettingIndex = true;
  TScopeGuard reset([this] { FSettingIndex = false; });
  TControl::SetText(index >= 0 ? FItems->Get(index) : std::string());
  FItemIndex = index;
  Changed(TControlChange::ItemIndex);
}

void TComboBox::TextChanged() {
  if (FSettingIndex || IsLoading()) return;
  int index = FItems->IndexOfText(TControl::GetText());
  if (index < 0 && FStyle == TComboBoxStyle::csDropDownList && !TControl::GetText().empty()) {
    TControl::SetText("");
    return;
  }
  FItemIndex = index;
}

void TComboBox::Loaded() {
  TWinControl::Loaded();
  int index = FItemIndex;
  FItemIndex = -1;
  if (index >= 0 && index < FItems->Count()) SetItemIndex(index);
  else if (!GetText().empty()) FItemIndex = FItems->IndexOfText(GetText());
}

void TComboBox::PickItem(int index) {
  FItems->Get(index);  // checks the index
  SetItemIndex(index);
  Click();
  OnChange(this);
}

void TComboBox::TypedText(const std::string& text) {
  TControl::SetText(text);
  OnChange(this);
}

void TComboBox::ItemsChanged(TItemStrings::TChange change, int index) {
  if (IsLoading()) return;
  switch (change) {
  case TItemStrings::TChange::Cleared:
    // Emptying the list empties the edit part too, as the host's does.
    SetItemIndex(-1);
    break;
  case TItemStrings::TChange::Deleted:
    if (index == FItemIndex) FItemIndex = -1;
    else if (index < FItemIndex) --FItemIndex;
    break;
  case TItemStrings::TChange::Inserted:
    if (FItemIndex >= 0 && index <= FItemIndex) ++FItemIndex;
    break;
  case TItemStrings::TChange::Reordered: FItemIndex = FItems->IndexOfText(GetText()); break;
  case TItemStrings::TChange::Changed:
  case TItemStrings::TChange::Selection: break;
  }
  Changed(TControlChange::Items);
}
