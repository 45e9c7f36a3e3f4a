#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/Collection.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

class NamedItem : public TCollectionItem {
 public:
  explicit NamedItem(TCollection* collection)
      : TCollectionItem(collection), name(QStringLiteral("Item%1").arg(Index())) {}

  void Assign(const TPersistent* source) override {
    const auto* other = dynamic_cast<const NamedItem*>(source);
    if (other == nullptr) return TCollectionItem::Assign(source);
    if (other->refuseCopy) throw EConvertError("refused");
    name = other->name;
    Changed(false);
  }
  QString DisplayName() const override { return name; }

  QString name;
  bool refuseCopy = false;
};

// Records what the collection tells its derived classes.
class LoggingCollection : public TCollectionOf<NamedItem> {
 public:
  std::vector<std::string> log;

 protected:
  void Update(TCollectionItem* item) override {
    log.push_back(item == nullptr ? "update all" : "update " + item->DisplayName().toStdString());
  }
  void Notify(TCollectionItem* item, TCollectionNotification action) override {
    static const char* names[] = {"added", "extracting", "deleting"};
    log.push_back(std::string(names[static_cast<int>(action)]) + " " +
                  item->DisplayName().toStdString());
  }
};

std::vector<QString> Names(const TCollectionOf<NamedItem>& c) {
  std::vector<QString> names;
  for (int i = 0; i < c.Count(); ++i) names.push_back(c.Items(i)->name);
  return names;
}

TEST(Collection, ItemsKeepTheirOrderPositionAndIdentity) {
  TCollectionOf<NamedItem> c;
  NamedItem* a = c.Add();
  NamedItem* b = c.Add();
  NamedItem* inserted = c.Insert(0);
  // A name made from the index at creation keeps that index after the move.
  EXPECT_EQ(Names(c), (std::vector<QString>{"Item2", "Item0", "Item1"}));
  EXPECT_EQ(inserted->Index(), 0);
  EXPECT_EQ(a->Index(), 1);
  EXPECT_EQ(b->Collection(), &c);
  EXPECT_EQ(c.FindItemID(b->ID()), b);

  c.Delete(0);
  NamedItem* d = c.Add();
  EXPECT_EQ(d->ID(), 3) << "IDs are never reused";
  EXPECT_EQ(c.FindItemID(2), nullptr);

  b->SetIndex(0);
  EXPECT_EQ(Names(c), (std::vector<QString>{"Item1", "Item0", "Item2"}));
  b->SetIndex(99);  // clamped to the end
  EXPECT_EQ(c.Items(2), b);
}

TEST(Collection, IndexesOutsideTheListAreHarmless) {
  TCollectionOf<NamedItem> c;
  c.Add();
  EXPECT_EQ(c.Items(-1), nullptr);
  EXPECT_EQ(c.Items(1), nullptr);
  c.Delete(-1);
  c.Delete(5);
  EXPECT_EQ(c.Count(), 1);
  EXPECT_EQ(c.Insert(-4)->Index(), 0);
  EXPECT_EQ(c.Insert(40)->Index(), 2);
}

TEST(Collection, DeletingAnItemDirectlyRemovesItFromItsCollection) {
  LoggingCollection c;
  NamedItem* a = c.Add();
  c.Add();
  c.log.clear();
  delete a;
  EXPECT_EQ(c.Count(), 1);
  EXPECT_EQ(c.Items(0)->name, "Item1");
}

TEST(Collection, ItemMovesBetweenCollections) {
  LoggingCollection from;
  LoggingCollection to;
  NamedItem* item = from.Add();
  from.log.clear();
  item->SetCollection(&to);
  EXPECT_EQ(from.Count(), 0);
  EXPECT_EQ(to.Items(0), item);
  EXPECT_EQ(from.log, (std::vector<std::string>{"extracting Item0", "update all"}));
  EXPECT_EQ(to.log, (std::vector<std::string>{"added Item0", "update all"}));
  item->SetCollection(nullptr);
  EXPECT_EQ(item->Index(), -1);
  delete item;  // no longer owned by any collection
}

TEST(Collection, NotificationsAndUpdateBracket) {
  LoggingCollection c;
  c.Add();
  c.Items(0)->name = "a";
  c.Add()->name = "b";
  EXPECT_EQ(c.log,
            (std::vector<std::string>{"added Item0", "update all", "added Item1", "update all"}));
  c.log.clear();

  NamedItem source(nullptr);
  source.name = "copy";
  c.Items(1)->Assign(&source);
  EXPECT_EQ(c.log, (std::vector<std::string>{"update copy"}));
  c.log.clear();

  c.BeginUpdate();
  c.BeginUpdate();
  c.Delete(0);
  c.Add();
  c.EndUpdate();
  EXPECT_EQ(c.log, (std::vector<std::string>{"deleting a", "added Item1"}));
  c.EndUpdate();
  EXPECT_EQ(c.log.back(), "update all");
  c.log.clear();

  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(c.log, (std::vector<std::string>{"deleting Item1", "deleting copy", "update all"}));
}

TEST(Collection, AssignReplacesItemsWithCopies) {
  TCollectionOf<NamedItem> source;
  source.Add()->name = "x";
  source.Add()->name = "y";
  TCollectionOf<NamedItem> target;
  target.Add()->name = "old";

  target.Assign(&source);
  EXPECT_EQ(Names(target), (std::vector<QString>{"x", "y"}));
  EXPECT_NE(target.Items(0), source.Items(0));
  target.Assign(&target);  // self-assignment keeps the items
  EXPECT_EQ(target.Count(), 2);
}

TEST(Collection, FailedAssignKeepsThePreviousItems) {
  TCollectionOf<NamedItem> source;
  source.Add()->name = "fine";
  source.Add()->refuseCopy = true;
  TCollectionOf<NamedItem> target;
  target.Add()->name = "kept";
  NamedItem* kept = target.Items(0);

  EXPECT_THROW(target.Assign(&source), EConvertError);
  ASSERT_EQ(target.Count(), 1);
  EXPECT_EQ(target.Items(0), kept);
  EXPECT_EQ(kept->Collection(), &target);
  EXPECT_EQ(target.UpdateCount(), 0);
}

TEST(Collection, AssignFromAnUnrelatedClassFailsClearly) {
  LoggingCollection c;
  TPersistent unrelated;
  try {
    c.Assign(&unrelated);
    FAIL() << "expected EConvertError";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TPersistent to a LoggingCollection");
  }
}

}  // namespace
}  // namespace mirto
