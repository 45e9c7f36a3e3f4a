#include "platform/toolkit/Collection.h"

#include <algorithm>

namespace mirto {

TCollectionItem::TCollectionItem(TCollection* collection) {
  if (collection != nullptr) collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
  if (collection_ != nullptr) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == collection_) return;
  if (collection_ != nullptr) {
    TCollection* previous = collection_;
    previous->Notify(this, cnExtracting);
    previous->RemoveItem(this);
    previous->Changed();
  }
  if (collection != nullptr) {
    collection->InsertItem(this);
    collection->Notify(this, cnAdded);
    collection->Changed();
  }
}

int TCollectionItem::Index() const {
  if (collection_ == nullptr) return -1;
  const auto& items = collection_->items_;
  const auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  if (collection_ != nullptr) collection_->MoveItem(this, index);
}

QString TCollectionItem::DisplayName() const { return QString::fromStdString(ClassName()); }

void TCollectionItem::Changed(bool allItems) {
  if (collection_ == nullptr) return;
  if (allItems)
    collection_->Changed();
  else
    collection_->ItemChanged(this);
}

TCollection::TCollection(TItemFactory factory, TPersistent* owner)
    : factory_(std::move(factory)), owner_(owner) {}

TCollection::~TCollection() {
  // No notifications while tearing down: a derived class is already gone.
  destroying_ = true;
  DestroyItems(items_);
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == id) return item;
  return nullptr;
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = factory_ ? factory_(this) : new TCollectionItem(this);
  // A factory may build the item without a collection; adopt it then.
  if (item->collection_ != this) {
    if (item->collection_ != nullptr) item->collection_->RemoveItem(item);
    InsertItem(item);
  }
  Notify(item, cnAdded);
  Changed();
  return item;
}

TCollectionItem* TCollection::Insert(int index) {
  BeginUpdate();
  TCollectionItem* item = Add();
  MoveItem(item, index);
  EndUpdate();
  return item;
}

void TCollection::Delete(int index) {
  TCollectionItem* item = Items(index);
  if (item == nullptr) return;
  Notify(item, cnDeleting);
  delete item;  // leaves the list through its destructor
  Changed();
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  std::vector<TCollectionItem*> doomed;
  doomed.swap(items_);
  DestroyItems(doomed);
  EndUpdate();
}

void TCollection::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TCollection*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  std::vector<TCollectionItem*> previous;
  previous.swap(items_);
  try {
    for (const TCollectionItem* sourceItem : other->items_) Add()->Assign(sourceItem);
  } catch (...) {
    std::vector<TCollectionItem*> copies;
    copies.swap(items_);
    for (TCollectionItem* item : copies) {
      item->collection_ = nullptr;
      delete item;
    }
    items_.swap(previous);
    EndUpdate();
    throw;
  }
  DestroyItems(previous);
  EndUpdate();
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) Changed();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
  if (updateCount_ == 0 && !destroying_) Update(nullptr);
}

void TCollection::ItemChanged(TCollectionItem* item) {
  if (updateCount_ == 0 && !destroying_) Update(item);
}

void TCollection::InsertItem(TCollectionItem* item) {
  item->collection_ = this;
  item->id_ = nextId_++;
  items_.push_back(item);
}

void TCollection::RemoveItem(TCollectionItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
}

void TCollection::MoveItem(TCollectionItem* item, int index) {
  const int current = item->Index();
  if (current < 0) return;
  const int target = std::clamp(index, 0, Count() - 1);
  if (target == current) return;
  items_.erase(items_.begin() + current);
  items_.insert(items_.begin() + target, item);
  Changed();
}

// Destroys items that are no longer (or, during destruction, still) listed;
// each one is told first so that derived collections can let go of it.
void TCollection::DestroyItems(std::vector<TCollectionItem*>& items) {
  while (!items.empty()) {
    TCollectionItem* item = items.back();
    items.pop_back();
    if (!destroying_) Notify(item, cnDeleting);
    item->collection_ = nullptr;
    delete item;
  }
}

}  // namespace mirto
