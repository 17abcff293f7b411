#include "migrator/TDataSetList.h"

#include "rtl/TList.h"

TDataSetList::~TDataSetList() { ClearAll(); }

void TDataSetList::Check(int index) const {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
}

int TDataSetList::Add(std::unique_ptr<TDataSetPair> pair) {
  FPairs.push_back(std::move(pair));
  return Count() - 1;
}

TDataSetPair* TDataSetList::GetDataSetPairs(int index) const {
  Check(index);
  return FPairs[static_cast<size_t>(index)].get();
}

std::unique_ptr<TDataSetPair> TDataSetList::SetDataSetPairs(int index, std::unique_ptr<TDataSetPair> pair) {
  Check(index);
  std::swap(FPairs[static_cast<size_t>(index)], pair);
  return pair;
}

// A slot holding no record (SetDataSetPairs with none) reads as a pair of
// none, and writing a dataset into it makes the record.
TDataSet* TDataSetList::GetOldDataSets(int index) const {
  TDataSetPair* pair = GetDataSetPairs(index);
  return pair ? pair->OldDataSet.Get() : nullptr;
}

void TDataSetList::SetOldDataSets(int index, TDataSet* dataSet) { Record(index).OldDataSet = dataSet; }

TQuelmDataSet* TDataSetList::GetNewDataSets(int index) const {
  TDataSetPair* pair = GetDataSetPairs(index);
  return pair ? pair->NewDataSet.Get() : nullptr;
}

void TDataSetList::SetNewDataSets(int index, TQuelmDataSet* dataSet) { Record(index).NewDataSet = dataSet; }

TDataSetPair& TDataSetList::Record(int index) {
  Check(index);
  auto& slot = FPairs[static_cast<size_t>(index)];
  if (!slot) slot = std::make_unique<TDataSetPair>();
  return *slot;
}

TQuelmDataSet* TDataSetList::GetPaired(const TDataSet* dataSet) const {
  int index = IndexOfOldDataSet(dataSet);
  return index < 0 ? nullptr : GetNewDataSets(index);
}

int TDataSetList::IndexOfOldDataSet(const TDataSet* dataSet) const {
  // A pair whose source is gone reads as none, which must not match none.
  if (!dataSet) return -1;
  for (int i = 0; i < Count(); ++i) {
    const TDataSetPair* pair = FPairs[static_cast<size_t>(i)].get();
    if (pair && pair->OldDataSet.Get() == dataSet) return i;
  }
  return -1;
}

void TDataSetList::DeletePair(int index) {
  Check(index);
  FPairs.erase(FPairs.begin() + index);
}

void TDataSetList::ClearAll() {
  for (int i = Count() - 1; i >= 0; --i) DeletePair(i);
}
