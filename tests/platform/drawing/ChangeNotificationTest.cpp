#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "platform/drawing/LifeGuard.h"
#include "platform/drawing/Pen.h"
#include "platform/drawing/Persistent.h"

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

// A pen that counts its announcements.
struct CountedPen {
  TPen pen;
  int calls = 0;
  CountedPen() {
    pen.OnChange = [this](TObject*) { ++calls; };
  }
};

TEST(ChangeMute, SilencesTheHandlerForTheScopeAndGivesItBackEvenOnAnException) {
  CountedPen counted;
  TPen& pen = counted.pen;
  const int& calls = counted.calls;
  {
    const TChangeMute mute(pen);
    pen.SetWidth(3);
  }
  EXPECT_EQ(calls, 0);
  try {
    const TChangeMute mute(pen.OnChange);
    pen.SetWidth(4);
    throw std::runtime_error("leaves the scope");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(calls, 0);
  pen.SetWidth(5);
  EXPECT_EQ(calls, 1);
}

TEST(NotifyingPersistent, APensUpdateBracketAnnouncesOnlyAtTheOuterEnd) {
  CountedPen counted;
  TPen& pen = counted.pen;
  const int& calls = counted.calls;
  pen.BeginUpdate();
  pen.BeginUpdate();
  pen.EndUpdate();
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(pen.UpdateCounter(), 1);
  pen.EndUpdate();
  EXPECT_EQ(calls, 1);
  pen.EndUpdate(false);
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace mirto
