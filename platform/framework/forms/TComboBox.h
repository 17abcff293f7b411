#pragma once
// A combo box: an item list with object slots and a text. ItemIndex is the
// chosen item; setting it sets the text. Setting the text chooses the item
// of that text (the exact-case one first), or none. Setting either from code
// fires no event; PickItem is what choosing from the drop-down does
// (OnClick, then OnChange), and typing fires OnChange per character.
// Clearing the items empties the text as well.
#include "forms/TItemStrings.h"
#include "forms/TWinControl.h"

#include <memory>

class TComboBox : public TWinControl {
  QUELM_CLASS(TComboBox, TWinControl)

public:
  explicit TComboBox(TComponent* owner);

  TItemStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* items) { FItems->Assign(items); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int index);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle style) { FStyle = style; }
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool sorted) { FItems->SetSorted(sorted); }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int count) { FDropDownCount = count; }
  // Whether the user can type a text of their own.
  bool IsEditable() const { return FStyle == TComboBoxStyle::csDropDown || FStyle == TComboBoxStyle::csSimple; }

  // Choosing an entry from the drop-down list.
  void PickItem(int index);
  // The text after the user typed: the item of that text becomes current
  // (none when no item has it) and OnChange fires.
  void TypedText(const std::string& text);
  void Loaded() override;

  TNotifyEvent OnChange;

protected:
  void TextChanged() override;

private:
  void ItemsChanged(TItemStrings::TChange change, int index);

  std::unique_ptr<TItemStrings> FItems;
  int FItemIndex = -1;
  TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
  int FDropDownCount = 8;
  bool FSettingIndex = false;
};
