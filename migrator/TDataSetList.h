#pragma once
// The datasets of one migration, each foreign source paired with the suite's
// dataset that replaces it, in the order the pairs were made.
#include "classes/TComponentRef.h"
#include "db/TDataSet.h"
#include "runtime/TQuelmDataSet.h"

#include <memory>
#include <vector>

// Both references are weak: the datasets belong to their forms, and one that
// is freed (a source deleted after its migration) reads as none here.
struct TDataSetPair {
  TComponentRef<TDataSet> OldDataSet;
  TComponentRef<TQuelmDataSet> NewDataSet;
};

// Owns its pair records. An index outside 0..Count-1 raises the list-index
// error (EListError), as the host's lists do.
class TDataSetList {
public:
  TDataSetList() = default;
  ~TDataSetList();
  TDataSetList(const TDataSetList&) = delete;
  TDataSetList& operator=(const TDataSetList&) = delete;

  int Count() const { return static_cast<int>(FPairs.size()); }
  // Appends a record; returns its index.
  int Add(std::unique_ptr<TDataSetPair> pair);

  TDataSetPair* GetDataSetPairs(int index) const;
  // Puts a record at the index and hands back the one that stood there, which
  // the caller then holds.
  std::unique_ptr<TDataSetPair> SetDataSetPairs(int index, std::unique_ptr<TDataSetPair> pair);
  TDataSet* GetOldDataSets(int index) const;
  void SetOldDataSets(int index, TDataSet* dataSet);
  TQuelmDataSet* GetNewDataSets(int index) const;
  void SetNewDataSets(int index, TQuelmDataSet* dataSet);

  // The new dataset of the first pair whose old dataset is that very object;
  // none when no pair has it, and for none.
  TQuelmDataSet* GetPaired(const TDataSet* dataSet) const;
  // The index of the first pair whose old dataset is that object, or -1.
  int IndexOfOldDataSet(const TDataSet* dataSet) const;

  // Releases the record at the index and removes it from the list; the
  // datasets it names are not touched.
  void DeletePair(int index);
  // Releases every record, from the last to the first.
  void ClearAll();

private:
  void Check(int index) const;
  TDataSetPair& Record(int index);
  std::vector<std::unique_ptr<TDataSetPair>> FPairs;
};
