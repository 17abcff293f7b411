#include "forms/TRadioGroup.h"

QUELM_DEFINE_CLASS(TRadioGroup, TGroupBox, b.ComponentFactory();
                   b.Property("Columns", TypeInfoInteger(), &TRadioGroup::Columns, &TRadioGroup::SetColumns)
                       .Default(1);
                   b.Property("ItemIndex", TypeInfoInteger(), &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex)
                       .Default(-1);
                   b.Property("Items", TStrings::StaticClass().TypeInfo(), &TRadioGroup::Items,
                              &TRadioGroup::SetItems))

TRadioGroup::TRadioGroup(TComponent* owner)
    : TGroupBox(owner),
      FItems(std::make_unique<TItemStrings>([this](TItemStrings::TChange c, int i) { ItemsChanged(c, i); })) {
  SetTabStop(true);
}

void TRadioGroup::SetItemIndex(int index) {
  // Items may come after ItemIndex in a form definition, so the index is
  // only checked once loading ends.
  if (IsLoading()) {
    FItemIndex = index;
    return;
  }
  if (index < -1) index = -1;
  if (index >= FItems->Count()) index = FItems->Count() - 1;
  if (index == FItemIndex) return;
  FItemIndex = index;
  Changed(TControlChange::ItemIndex);
  Click();
}

void TRadioGroup::Loaded() {
  TGroupBox::Loaded();
  if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
}

void TRadioGroup::ItemsChanged(TItemStrings::TChange change, int index) {
  if (IsLoading()) return;
  switch (change) {
  case TItemStrings::TChange::Cleared: FItemIndex = -1; break;
  case TItemStrings::TChange::Deleted:
    if (index == FItemIndex) FItemIndex = -1;
    else if (index < FItemIndex) --FItemIndex;
    break;
  case TItemStrings::TChange::Inserted:
    if (FItemIndex >= 0 && index <= FItemIndex) ++FItemIndex;
    break;
  case TItemStrings::TChange::Reordered:
  case TItemStrings::TChange::Changed:
  case TItemStrings::TChange::Selection: break;
  }
  Changed(TControlChange::Items);
}
