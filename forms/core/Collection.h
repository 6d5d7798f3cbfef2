// TCollection and TCollectionItem: an owned, ordered list of items of one item class,
// created by Add, freed with the collection, with typed access that raises the
// invalid-cast exception for an item of another class.
#pragma once

#include <vector>

#include "forms/core/Persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
public:
  // Joins Collection (if any) as its last item.
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  void SetCollection(TCollection* collection);
  int Index() const;
  void SetIndex(int index);
  int ID() const { return id_; }
  virtual std::string DisplayName() const { return ClassName(); }

protected:
  // Tells the collection that this item changed (Update with the item, or with nil
  // when AllItems).
  void Changed(bool allItems);

private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

using TCollectionItemFactory = TCollectionItem* (*)(TCollection*);

// The factory that Add uses to make items of class T (T's constructor takes the collection).
template <class T>
TCollectionItemFactory CollectionItemClass() {
  return [](TCollection* c) -> TCollectionItem* { return new T(c); };
}

class TCollection : public TPersistent {
public:
  explicit TCollection(TCollectionItemFactory itemClass);
  ~TCollection() override;

  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int index) const;  // EListError outside 0 to Count - 1
  // The item at Index as a T; an item of another class raises EInvalidCast.
  template <class T>
  T* ItemsAs(int index) const { return CheckedCast<T>(Items(index)); }

  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  TCollectionItem* FindItemID(int id) const;

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // Copies the items of another collection of the same kind (item by item Assign).
  void Assign(TPersistent* source) override;

protected:
  // Called after a change: Item is the changed item, or nil for a change of the list.
  virtual void Update(TCollectionItem* item);

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  void Changed();

  TCollectionItemFactory itemClass_;
  std::vector<TCollectionItem*> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
};
