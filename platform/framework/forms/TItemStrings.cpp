#include "forms/TItemStrings.h"

#include "rtl/TList.h"
#include "rtl/TextCompare.h"

#include <algorithm>

QUELM_DEFINE_CLASS(TItemStrings, TStrings)

void TItemStrings::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
}

std::string TItemStrings::Get(int index) const {
  CheckIndex(index);
  return FItems[static_cast<size_t>(index)].Text;
}

void TItemStrings::Put(int index, const std::string& s) {
  CheckIndex(index);
  FItems[static_cast<size_t>(index)].Text = s;
  Notify(TChange::Changed, index);
}

TObject* TItemStrings::GetObject(int index) const {
  CheckIndex(index);
  return FItems[static_cast<size_t>(index)].Object;
}

void TItemStrings::PutObject(int index, TObject* object) {
  CheckIndex(index);
  FItems[static_cast<size_t>(index)].Object = object;
}

void TItemStrings::Insert(int index, const std::string& s) {
  if (index < 0 || index > Count()) RaiseListIndexError(index);
  FItems.insert(FItems.begin() + index, TItem{s, nullptr, false});
  Notify(TChange::Inserted, index);
}

void TItemStrings::Delete(int index) {
  CheckIndex(index);
  FItems.erase(FItems.begin() + index);
  Notify(TChange::Deleted, index);
}

void TItemStrings::Clear() {
  FItems.clear();
  Notify(TChange::Cleared, -1);
}

int TItemStrings::Add(const std::string& s) { return AddObject(s, nullptr); }

int TItemStrings::AddObject(const std::string& s, TObject* object) {
  int index = Count();
  if (FSorted) {
    auto it = std::upper_bound(FItems.begin(), FItems.end(), s,
                               [](const std::string& v, const TItem& item) { return CompareText(v, item.Text) < 0; });
    index = static_cast<int>(it - FItems.begin());
  }
  FItems.insert(FItems.begin() + index, TItem{s, object, false});
  Notify(TChange::Inserted, index);
  return index;
}

void TItemStrings::Move(int from, int to) {
  CheckIndex(from);
  CheckIndex(to);
  if (from == to) return;
  TItem item = std::move(FItems[static_cast<size_t>(from)]);
  FItems.erase(FItems.begin() + from);
  FItems.insert(FItems.begin() + to, std::move(item));
  Notify(TChange::Reordered, -1);
}

void TItemStrings::Exchange(int a, int b) {
  CheckIndex(a);
  CheckIndex(b);
  std::swap(FItems[static_cast<size_t>(a)], FItems[static_cast<size_t>(b)]);
  Notify(TChange::Reordered, -1);
}

void TItemStrings::SetSorted(bool sorted) {
  if (sorted == FSorted) return;
  FSorted = sorted;
  if (!sorted) return;
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const TItem& a, const TItem& b) { return CompareText(a.Text, b.Text) < 0; });
  Notify(TChange::Reordered, -1);
}

bool TItemStrings::Selected(int index) const {
  CheckIndex(index);
  return FItems[static_cast<size_t>(index)].Selected;
}

void TItemStrings::SetSelected(int index, bool selected) {
  CheckIndex(index);
  if (FItems[static_cast<size_t>(index)].Selected == selected) return;
  FItems[static_cast<size_t>(index)].Selected = selected;
  Notify(TChange::Selection, index);
}

int TItemStrings::SelCount() const {
  return static_cast<int>(std::count_if(FItems.begin(), FItems.end(), [](const TItem& i) { return i.Selected; }));
}

void TItemStrings::SetAllSelected(bool selected) {
  bool changed = false;
  for (TItem& item : FItems) {
    changed = changed || item.Selected != selected;
    item.Selected = selected;
  }
  if (changed) Notify(TChange::Selection, -1);
}

int TItemStrings::IndexOfText(std::string_view s) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[static_cast<size_t>(i)].Text == s) return i;
  for (int i = 0; i < Count(); ++i)
    if (SameText(FItems[static_cast<size_t>(i)].Text, s)) return i;
  return -1;
}
