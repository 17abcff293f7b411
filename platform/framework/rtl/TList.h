#pragma once
// The host's list of object references. It never owns what it holds; an index
// outside 0..Count-1 raises EListError with the host's message.
#include "rtl/Exceptions.h"
#include "rtl/Format.h"

#include <algorithm>
#include <vector>

[[noreturn]] void RaiseListIndexError(int index);

template <class T>
class TList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  bool IsEmpty() const { return FItems.empty(); }

  T* Items(int index) const {
    Check(index);
    return FItems[index];
  }
  T* operator[](int index) const { return Items(index); }
  void SetItem(int index, T* item) {
    Check(index);
    FItems[index] = item;
  }

  int Add(T* item) {
    FItems.push_back(item);
    return Count() - 1;
  }
  void Insert(int index, T* item) {
    if (index < 0 || index > Count()) RaiseListIndexError(index);
    FItems.insert(FItems.begin() + index, item);
  }
  void Delete(int index) {
    Check(index);
    FItems.erase(FItems.begin() + index);
  }
  int IndexOf(const T* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
  }
  int Remove(const T* item) {
    int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
  }
  void Move(int from, int to) {
    if (from == to) return;
    T* item = Items(from);
    Delete(from);
    Insert(to, item);
  }
  void Exchange(int a, int b) {
    Check(a);
    Check(b);
    std::swap(FItems[a], FItems[b]);
  }
  T* First() const { return Items(0); }
  T* Last() const { return Items(Count() - 1); }
  void Clear() { FItems.clear(); }

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

private:
  void Check(int index) const {
    if (index < 0 || index >= Count()) RaiseListIndexError(index);
  }
  std::vector<T*> FItems;
};
