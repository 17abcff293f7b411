#include "classes/TCollection.h"

#include "rtl/TList.h"

#include <algorithm>

QUELM_DEFINE_CLASS(TCollectionItem, TPersistent)
QUELM_DEFINE_CLASS(TCollection, TPersistent)

TCollectionItem::TCollectionItem(TCollection* collection) {
  if (collection) collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  int current = Index();
  if (current < 0 || current == index) return;
  auto& items = FCollection->FItems;
  if (index < 0 || index >= static_cast<int>(items.size())) RaiseListIndexError(index);
  items.erase(items.begin() + current);
  items.insert(items.begin() + index, this);
  FCollection->Changed();
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

TCollection::TCollection(const TClassInfo& itemClass, TPersistent* owner) : FItemClass(&itemClass), FOwner(owner) {}

TCollection::~TCollection() {
  FUpdateCount = 1;  // no change notifications while going
  Clear();
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  return FItems[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add() {
  TObject* made = FItemClass->CreateInstance(this);
  auto* item = dynamic_cast<TCollectionItem*>(made);
  if (!item) {
    delete made;
    throw EInvalidCast(HostText::InvalidCast);
  }
  if (item->FCollection != this) InsertItem(item);
  return item;
}

TCollectionItem* TCollection::Insert(int index) {
  TCollectionItem* item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty()) delete FItems.back();
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == id) return item;
  return nullptr;
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
  item->FCollection = this;
  item->FID = FNextID++;
  FItems.push_back(item);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
  item->FCollection = nullptr;
  Changed();
}

void TCollection::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TCollection*>(source)) {
    BeginUpdate();
    Clear();
    for (TCollectionItem* item : other->FItems) Add()->Assign(item);
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}
