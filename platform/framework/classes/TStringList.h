#pragma once
// The host's concrete string list: optionally sorted, with duplicates rules,
// case-insensitive unless told otherwise, and a change event.
#include "classes/TMethod.h"
#include "classes/TStrings.h"

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
  QUELM_CLASS(TStringList, TStrings)

public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> lines);

  int Count() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const std::string& s) override;
  int AddObject(const std::string& s, TObject* object) override;
  int IndexOf(std::string_view s) const override;
  void Exchange(int a, int b) override;

  // Binary search in a sorted list; index receives the place of s or where it
  // would go.
  bool Find(std::string_view s, int& index) const;
  void Sort();

  bool Sorted() const { return FSorted; }
  void SetSorted(bool sorted);
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool caseSensitive);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates duplicates) { FDuplicates = duplicates; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  void SetUpdateState(bool updating) override;
  int CompareStrings(std::string_view a, std::string_view b) const override;
  void Changed();
  void Changing();

private:
  struct Item {
    std::string Text;
    TObject* Object = nullptr;
  };
  void CheckIndex(int index) const;
  void InsertItem(int index, const std::string& s, TObject* object);

  std::vector<Item> FItems;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = TDuplicates::dupIgnore;
};
