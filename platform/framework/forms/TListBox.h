#pragma once
// A list box. The selection lives with the items (see TItemStrings), so it
// survives Items.BeginUpdate and EndUpdate and moves with the items.
// ItemIndex is the selected item of a single-selection box; in a
// multi-selection box it is the focus item, and setting it moves only the
// focus, never the selection. Setting ItemIndex, Selected or TopIndex from
// code fires no event; ClickItem is what a mouse click does.
#include "forms/TItemStrings.h"
#include "forms/TWinControl.h"

#include <memory>

class TListBox : public TWinControl {
  QUELM_CLASS(TListBox, TWinControl)

public:
  explicit TListBox(TComponent* owner);

  TItemStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* items) { FItems->Assign(items); }
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool multiSelect);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool extended) { FExtendedSelect = extended; }
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool sorted) { FItems->SetSorted(sorted); }

  int ItemIndex() const;
  void SetItemIndex(int index);
  // Raises EListError for an index outside the items.
  bool Selected(int index) const { return FItems->Selected(index); }
  void SetSelected(int index, bool selected);
  int SelCount() const { return FItems->SelCount(); }
  void ClearSelection() { FItems->SetAllSelected(false); }
  void SelectAll();
  // The first item in view.
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int index);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int height) { FItemHeight = height; }
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool integral) { FIntegralHeight = integral; }

  // A mouse click on an item: in a multi-selection box a click with Ctrl
  // held (toggle) flips that item and keeps the rest, a plain click selects
  // that item alone; the item becomes the focus item; OnClick fires.
  void ClickItem(int index, bool toggle);
  // A selection the user made in a native list (clicks, arrow keys): exactly
  // these items end selected (the first only in a single-selection box), the
  // focus item moves, and OnClick fires as for a click.
  void UserSelected(const std::vector<int>& selected, int focusIndex);

private:
  void ItemsChanged(TItemStrings::TChange change, int index);

  std::unique_ptr<TItemStrings> FItems;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  int FFocusIndex = -1;
  int FTopIndex = 0;
  int FItemHeight = 13;
  bool FIntegralHeight = false;
};
