#pragma once

// Owned, ordered lists of persistent items: the decoration lists of a panel,
// the images of a PNG image list. The collection creates its items through a
// factory, owns them and destroys them; every item knows its collection, its
// position and an ID that never changes while the collection lives.

#include <QString>
#include <functional>
#include <vector>

#include "platform/drawing/Persistent.h"

namespace mirto {

class TCollection;

enum class TCollectionNotification { cnAdded, cnExtracting, cnDeleting };
using enum TCollectionNotification;

class TCollectionItem : public TPersistent {
 public:
  // Appends the item to collection (when given). Items are normally made by
  // TCollection::Add or Insert, which also send the notifications.
  explicit TCollectionItem(TCollection* collection);
  // An item deleted directly leaves its collection first.
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  // Moves the item to another collection (or out of any with nullptr).
  void SetCollection(TCollection* collection);

  // Position in the collection, -1 outside one.
  int Index() const;
  // Moves the item to position index (clamped to the collection's range).
  void SetIndex(int index);
  // Unique within the collection and never reused by it.
  int ID() const { return id_; }

  // Text shown for the item in lists; the class name when not overridden.
  virtual QString DisplayName() const;

 protected:
  // Tells the collection that this item (or, with allItems, every item) changed.
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

class TCollection : public TPersistent {
 public:
  using TItemFactory = std::function<TCollectionItem*(TCollection* collection)>;

  // factory makes one item of the collection's item class; owner is the
  // object the collection belongs to (not owned).
  explicit TCollection(TItemFactory factory, TPersistent* owner = nullptr);
  ~TCollection() override;

  template <class Item>
  static TItemFactory FactoryOf() {
    return [](TCollection* collection) { return new Item(collection); };
  }

  TPersistent* Owner() const { return owner_; }

  int Count() const { return static_cast<int>(items_.size()); }
  // nullptr for an index outside 0 .. Count() - 1.
  TCollectionItem* Items(int index) const;
  TCollectionItem* FindItemID(int id) const;

  // Appends a new item.
  TCollectionItem* Add();
  // Inserts a new item at index (clamped to 0 .. Count()).
  TCollectionItem* Insert(int index);
  // Destroys the item at index; an index outside the list is ignored.
  void Delete(int index);
  // Destroys every item.
  void Clear();

  // Copies another collection: the items are replaced by new items that take
  // the settings of the source's items. When an item cannot take them, the
  // collection keeps its previous items and the error propagates.
  void Assign(const TPersistent* source) override;

  // Change notifications are held back inside a bracket and sent once, for
  // the whole collection, when the outermost bracket closes.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

 protected:
  // A change of item, or of the whole collection when item is nullptr.
  virtual void Update(TCollectionItem* item);
  // An item was added, or is about to be extracted or deleted.
  virtual void Notify(TCollectionItem* item, TCollectionNotification action);

 private:
  friend class TCollectionItem;
  void Changed();
  void ItemChanged(TCollectionItem* item);
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  void MoveItem(TCollectionItem* item, int index);
  void DestroyItems(std::vector<TCollectionItem*>& items);

  TItemFactory factory_;
  TPersistent* owner_;
  std::vector<TCollectionItem*> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
  bool destroying_ = false;
};

// A collection whose items are all of class Item, with typed access.
template <class Item>
class TCollectionOf : public TCollection {
 public:
  explicit TCollectionOf(TPersistent* owner = nullptr)
      : TCollection(TCollection::FactoryOf<Item>(), owner) {}

  Item* Add() { return static_cast<Item*>(TCollection::Add()); }
  Item* Insert(int index) { return static_cast<Item*>(TCollection::Insert(index)); }
  Item* Items(int index) const { return static_cast<Item*>(TCollection::Items(index)); }
  Item* FindItemID(int id) const { return static_cast<Item*>(TCollection::FindItemID(id)); }
};

}  // namespace mirto
