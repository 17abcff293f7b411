#pragma once
// A group of radio buttons made from its Items, in Columns columns. Changing
// ItemIndex to another item fires OnClick, as the host's does, except while
// the group is read from a form definition.
#include "forms/TGroupBox.h"
#include "forms/TItemStrings.h"

#include <memory>

class TRadioGroup : public TGroupBox {
  QUELM_CLASS(TRadioGroup, TGroupBox)

public:
  explicit TRadioGroup(TComponent* owner);

  TItemStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* items) { FItems->Assign(items); }
  // -1: no item chosen. An index past the items chooses the last.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int index);
  int Columns() const { return FColumns; }
  void SetColumns(int columns) { FColumns = columns < 1 ? 1 : columns; }
  void Loaded() override;
  // Its buttons come from Items; it holds no controls of its own.
  bool AcceptsControls() const override { return false; }

private:
  void ItemsChanged(TItemStrings::TChange change, int index);

  std::unique_ptr<TItemStrings> FItems;
  int FItemIndex = -1;
  int FColumns = 1;
};
