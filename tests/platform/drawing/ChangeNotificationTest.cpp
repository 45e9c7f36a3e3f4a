#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/drawing/Pen.h"
#include "platform/drawing/Persistent.h"

namespace mirto {
namespace {

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
