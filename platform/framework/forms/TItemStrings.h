#pragma once
// The item list of a list box, combo box or radio group: strings with object
// slots and a selected flag per item, optionally kept sorted (ignoring case,
// equal items in the order they came). The selection belongs to the items,
// so it moves with them and survives BeginUpdate and EndUpdate; the owning
// control hears of every insertion, deletion, reordering, text and
// selection change.
#include "classes/TStrings.h"

#include <functional>
#include <string>
#include <vector>

class TItemStrings : public TStrings {
  QUELM_CLASS(TItemStrings, TStrings)

public:
  // Changed: an item's text; Selection: selected flags.
  enum class TChange { Inserted, Deleted, Cleared, Reordered, Changed, Selection };
  using TChangeProc = std::function<void(TChange change, int index)>;

  TItemStrings() = default;
  explicit TItemStrings(TChangeProc onChange) : FOnChange(std::move(onChange)) {}

  int Count() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int index) const override;
  // Keeps the item's object and selection.
  void Put(int index, const std::string& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  // At that place even in a sorted list, as the host's list boxes insert.
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  // In a sorted list, at its sorted place.
  int Add(const std::string& s) override;
  int AddObject(const std::string& s, TObject* object) override;
  void Move(int from, int to) override;
  void Exchange(int a, int b) override;

  bool Sorted() const { return FSorted; }
  void SetSorted(bool sorted);

  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelCount() const;
  void SetAllSelected(bool selected);
  // The exact-case match if there is one, else the first match ignoring case.
  int IndexOfText(std::string_view s) const;

private:
  struct TItem {
    std::string Text;
    TObject* Object = nullptr;
    bool Selected = false;
  };
  void CheckIndex(int index) const;
  void Notify(TChange change, int index) {
    if (FOnChange) FOnChange(change, index);
  }

  std::vector<TItem> FItems;
  bool FSorted = false;
  TChangeProc FOnChange;
};
