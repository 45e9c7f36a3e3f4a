#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/toolkit/Component.h"
#include "platform/toolkit/LifeGuard.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

TEST(LifeGuard, AWatchLivesExactlyAsLongAsItsGuard) {
  EXPECT_FALSE(TLifeWatch().Alive()) << "a watch on nothing";

  auto guard = std::make_unique<TLifeGuard>();
  const TLifeWatch early = guard->Watch();
  const TLifeWatch again = guard->Watch();
  EXPECT_TRUE(early.Alive());
  guard.reset();
  EXPECT_FALSE(early.Alive());
  EXPECT_FALSE(again.Alive());

  // A destructor that still calls handlers expires the guard first; watches
  // taken from then on see the object as gone too.
  TLifeGuard expiring;
  const TLifeWatch before = expiring.Watch();
  expiring.Expire();
  EXPECT_FALSE(before.Alive());
  EXPECT_FALSE(expiring.Watch().Alive());
}

class Recorder : public TComponent {
 public:
  Recorder(TComponent* owner, std::vector<QString>* log, QString name)
      : TComponent(owner), log_(log) {
    SetName(std::move(name));
  }
  ~Recorder() override { log_->push_back("destroy " + Name()); }
  int loadedCalls = 0;

 protected:
  void Loaded() override {
    ++loadedCalls;
    log_->push_back("loaded " + Name());
  }

 private:
  std::vector<QString>* log_;
};

TEST(Component, OwnerDestroysOwnedComponentsNewestFirst) {
  std::vector<QString> log;
  {
    auto* root = new Recorder(nullptr, &log, "root");
    new Recorder(root, &log, "a");
    auto* b = new Recorder(root, &log, "b");
    new Recorder(b, &log, "b1");
    EXPECT_EQ(root->ComponentCount(), 2);
    delete root;
  }
  // A component's own destructor runs first, then it destroys what it owns.
  const std::vector<QString> expected = {"destroy root", "destroy b", "destroy b1", "destroy a"};
  EXPECT_EQ(log, expected);
}

TEST(Component, DeletingAChildUnregistersItFromItsOwner) {
  std::vector<QString> log;
  Recorder root(nullptr, &log, "root");
  auto* child = new Recorder(&root, &log, "child");
  delete child;
  EXPECT_EQ(root.ComponentCount(), 0);
}

TEST(Component, LoadingBracketFlagsTheTreeAndCallsLoadedOnceAtTheOuterEnd) {
  std::vector<QString> log;
  Recorder root(nullptr, &log, "root");
  auto* child = new Recorder(&root, &log, "child");
  root.BeginLoading();
  root.BeginLoading();
  auto* late = new Recorder(&root, &log, "late");  // created while loading
  EXPECT_TRUE(child->ComponentState().Contains(csLoading));
  EXPECT_TRUE(late->ComponentState().Contains(csLoading));
  root.EndLoading();
  EXPECT_TRUE(root.ComponentState().Contains(csLoading));
  EXPECT_EQ(child->loadedCalls, 0);
  root.EndLoading();
  EXPECT_FALSE(root.ComponentState().Contains(csLoading));
  EXPECT_FALSE(child->ComponentState().Contains(csLoading));
  EXPECT_EQ(child->loadedCalls, 1);
  EXPECT_EQ(late->loadedCalls, 1);
  EXPECT_EQ(root.loadedCalls, 1);
  root.EndLoading();  // unmatched: harmless
  EXPECT_EQ(root.loadedCalls, 1);
}

TEST(Component, TagHoldsAPointerSizedValue) {
  TComponent c;
  c.SetTag(static_cast<std::intptr_t>(0x1234567890LL));
  EXPECT_EQ(c.Tag(), static_cast<std::intptr_t>(0x1234567890LL));
  EXPECT_EQ(static_cast<std::int32_t>(c.Tag()), 0x34567890);
}

}  // namespace
}  // namespace mirto
