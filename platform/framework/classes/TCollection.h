#pragma once
// The host's collection: an owned, ordered set of items of one item class,
// stored in form files as <item ... end> lists.
#include "classes/TPersistent.h"

#include <memory>
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
  QUELM_CLASS(TCollectionItem, TPersistent)

public:
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  int Index() const;
  void SetIndex(int index);
  int ID() const { return FID; }
  virtual std::string DisplayName() const { return ClassName(); }
  TPersistent* GetOwner() const override;

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

class TCollection : public TPersistent {
  QUELM_CLASS(TCollection, TPersistent)

public:
  explicit TCollection(const TClassInfo& itemClass, TPersistent* owner = nullptr);
  ~TCollection() override;

  const TClassInfo& ItemClass() const { return *FItemClass; }
  int Count() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int index) const;
  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  TCollectionItem* FindItemID(int id) const;
  void BeginUpdate();
  void EndUpdate();
  TPersistent* GetOwner() const override { return FOwner; }
  void Assign(const TPersistent* source) override;

protected:
  virtual void Update(TCollectionItem* item) {}
  void Changed();

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  const TClassInfo* FItemClass;
  TPersistent* FOwner;
  std::vector<TCollectionItem*> FItems;  // owned; an item leaves when it is deleted
  int FNextID = 0;
  int FUpdateCount = 0;
};

// Collection items are created with the collection they join.
template <class T>
void CollectionItemFactory(TClassBuilder<T>& b) {
  b.Info().SetFactory([](const TClassInfo&, TObject* owner) -> TObject* {
    return new T(dynamic_cast<TCollection*>(owner));
  });
}
