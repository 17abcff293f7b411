#include "forms/TListBox.h"

QUELM_DEFINE_CLASS(
    TListBox, TWinControl, b.ComponentFactory();
    b.Property("ExtendedSelect", TypeInfoBoolean(), &TListBox::ExtendedSelect, &TListBox::SetExtendedSelect)
        .Default(1);
    b.Property("IntegralHeight", TypeInfoBoolean(), &TListBox::IntegralHeight, &TListBox::SetIntegralHeight)
        .Default(0);
    b.Property("ItemHeight", TypeInfoInteger(), &TListBox::ItemHeight, &TListBox::SetItemHeight);
    b.Property("Items", TStrings::StaticClass().TypeInfo(), &TListBox::Items, &TListBox::SetItems);
    b.Property("MultiSelect", TypeInfoBoolean(), &TListBox::MultiSelect, &TListBox::SetMultiSelect).Default(0);
    b.Property("Sorted", TypeInfoBoolean(), &TListBox::Sorted, &TListBox::SetSorted).Default(0);
    b.Event("OnClick", TypeInfoNotifyEvent(), &TListBox::OnClick);
    b.Event("OnDblClick", TypeInfoNotifyEvent(), &TListBox::OnDblClick))

TListBox::TListBox(TComponent* owner)
    : TWinControl(owner),
      FItems(std::make_unique<TItemStrings>([this](TItemStrings::TChange c, int i) { ItemsChanged(c, i); })) {
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
}

void TListBox::SetMultiSelect(bool multiSelect) {
  if (multiSelect == FMultiSelect) return;
  FMultiSelect = multiSelect;
  Changed(TControlChange::Style);
  // A single-selection box keeps at most its focus item selected.
  if (!multiSelect) {
    bool keep = FFocusIndex >= 0 && FItems->Selected(FFocusIndex);
    FItems->SetAllSelected(false);
    if (keep) FItems->SetSelected(FFocusIndex, true);
    else FFocusIndex = -1;
  }
}

int TListBox::ItemIndex() const {
  if (FMultiSelect) return FFocusIndex;
  for (int i = 0; i < FItems->Count(); ++i)
    if (FItems->Selected(i)) return i;
  return -1;
}

void TListBox::SetItemIndex(int index) {
  if (index < -1 || index >= FItems->Count()) index = -1;
  FFocusIndex = index;
  Changed(TControlChange::ItemIndex);
  if (FMultiSelect) return;
  FItems->SetAllSelected(false);
  if (index >= 0) FItems->SetSelected(index, true);
}

void TListBox::SetSelected(int index, bool selected) {
  if (!FMultiSelect && selected) FItems->SetAllSelected(false);
  FItems->SetSelected(index, selected);
  if (!FMultiSelect) FFocusIndex = selected ? index : (FFocusIndex == index ? -1 : FFocusIndex);
}

void TListBox::SelectAll() {
  if (FMultiSelect) FItems->SetAllSelected(true);
}

void TListBox::SetTopIndex(int index) {
  if (index >= FItems->Count()) index = FItems->Count() - 1;
  FTopIndex = index < 0 ? 0 : index;
  Changed(TControlChange::ItemIndex);
}

void TListBox::ClickItem(int index, bool toggle) {
  FItems->Selected(index);  // checks the index
  if (FMultiSelect && toggle) {
    FItems->SetSelected(index, !FItems->Selected(index));
  } else {
    FItems->SetAllSelected(false);
    FItems->SetSelected(index, true);
  }
  FFocusIndex = index;
  Changed(TControlChange::ItemIndex);
  Click();
}

void TListBox::UserSelected(const std::vector<int>& selected, int focusIndex) {
  FItems->SetAllSelected(false);
  for (int index : selected) {
    FItems->Selected(index);  // checks the index
    FItems->SetSelected(index, true);
    if (!FMultiSelect) break;
  }
  FFocusIndex = focusIndex >= -1 && focusIndex < FItems->Count() ? focusIndex : -1;
  Changed(TControlChange::ItemIndex);
  Click();
}

void TListBox::ItemsChanged(TItemStrings::TChange change, int index) {
  switch (change) {
  case TItemStrings::TChange::Cleared:
    FFocusIndex = -1;
    FTopIndex = 0;
    break;
  case TItemStrings::TChange::Deleted:
    if (index == FFocusIndex) FFocusIndex = -1;
    else if (index < FFocusIndex) --FFocusIndex;
    if (FTopIndex >= FItems->Count()) FTopIndex = FItems->Count() > 0 ? FItems->Count() - 1 : 0;
    break;
  case TItemStrings::TChange::Inserted:
    if (FFocusIndex >= 0 && index <= FFocusIndex) ++FFocusIndex;
    break;
  case TItemStrings::TChange::Reordered:
    if (!FMultiSelect) FFocusIndex = ItemIndex();
    break;
  case TItemStrings::TChange::Changed:
  case TItemStrings::TChange::Selection: break;
  }
  Changed(change == TItemStrings::TChange::Selection ? TControlChange::Selection : TControlChange::Items);
}
