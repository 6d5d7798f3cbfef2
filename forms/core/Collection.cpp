// TCollection and TCollectionItem.
#include "forms/core/Collection.h"

#include <algorithm>

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == collection_) return;
  if (collection_) collection_->RemoveItem(this);
  if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  int current = Index();
  if (current < 0 || current == index) return;
  auto& items = collection_->items_;
  if (index < 0) index = 0;
  if (index >= static_cast<int>(items.size())) index = static_cast<int>(items.size()) - 1;
  items.erase(items.begin() + current);
  items.insert(items.begin() + index, this);
  Changed(true);
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_ && collection_->updateCount_ == 0) collection_->Update(allItems ? nullptr : this);
}

TCollection::TCollection(TCollectionItemFactory itemClass) : itemClass_(itemClass) {}

TCollection::~TCollection() {
  updateCount_ = 1;  // no Update calls into a collection being destroyed
  Clear();
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(SListIndexError, index);
  return items_[index];
}

TCollectionItem* TCollection::Add() { return itemClass_(this); }

TCollectionItem* TCollection::Insert(int index) {
  BeginUpdate();
  TCollectionItem* item;
  try {
    item = Add();
    item->SetIndex(index);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return item;
}

void TCollection::Delete(int index) { Items(index)->Free(); }

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) items_.back()->Free();
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == id) return item;
  return nullptr;
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TCollection*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : other->items_) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::InsertItem(TCollectionItem* item) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextId_++;
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
  Changed();
}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}
