#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit/Timer.h"
#include "tests/support/WaitUntil.h"

namespace mirto {
namespace {

using testing::RunEventsFor;

bool RunEventsUntil(const std::function<bool()>& done, int timeoutMs) {
  return testing::WaitUntil(done, timeoutMs);
}

// Two timers started together fire in the order of their due times, however
// late the loop comes round to them; the order tells what was restarted.
TEST(TimerTest, OneShotHandlerFiresOnceWithTheLatestRequest) {
  // The view timers' pattern: each request stores a value and enables the
  // timer; the handler uses the value and disables the timer.
  TTimer timer, witness;
  timer.SetEnabled(false);
  timer.SetInterval(200);
  witness.SetEnabled(false);
  witness.SetInterval(260);  // due after the first request, before a restarted one
  std::vector<std::string> order;
  int selected = 0, shown = 0, fires = 0;
  timer.OnTimer = [&](TObject* sender) {
    ++fires;
    shown = selected;
    order.push_back("view");
    static_cast<TTimer*>(sender)->SetEnabled(false);
  };
  witness.OnTimer = [&](TObject*) {
    order.push_back("witness");
    witness.SetEnabled(false);
  };

  selected = 30;
  timer.SetEnabled(true);
  witness.SetEnabled(true);
  QThread::msleep(120);  // the second request comes while the first is pending
  selected = 40;
  timer.SetEnabled(true);

  ASSERT_TRUE(RunEventsUntil([&] { return order.size() == 2; }, 5000));
  RunEventsFor(50);
  EXPECT_EQ(fires, 1);
  EXPECT_EQ(shown, 40);
  EXPECT_EQ(order, (std::vector<std::string>{"view", "witness"})) << "not restarted";
}

TEST(TimerTest, DisabledOrZeroIntervalTimersStaySilent) {
  TTimer timer;
  int fires = 0;
  timer.OnTimer = [&](TObject*) { ++fires; };
  timer.SetInterval(0);
  RunEventsFor(60);
  timer.SetInterval(-5);
  EXPECT_EQ(timer.Interval(), 0);
  timer.SetInterval(10);
  timer.SetEnabled(false);
  RunEventsFor(60);
  EXPECT_EQ(fires, 0);
  timer.SetEnabled(true);
  EXPECT_TRUE(RunEventsUntil([&] { return fires >= 2; }, 2000)) << "a repeating timer repeats";
}

TEST(TimerTest, NewIntervalRestartsARunningTimer) {
  TTimer timer, witness;
  timer.SetInterval(150);
  witness.SetInterval(250);  // due after the first period, before the restarted one
  std::vector<std::string> order;
  timer.OnTimer = [&](TObject*) {
    order.push_back("timer");
    timer.SetEnabled(false);
  };
  witness.OnTimer = [&](TObject*) {
    order.push_back("witness");
    witness.SetEnabled(false);
  };
  QThread::msleep(100);
  timer.SetInterval(200);  // counts 200 ms from now, not 150 from the start
  ASSERT_TRUE(RunEventsUntil([&] { return order.size() == 2; }, 5000));
  EXPECT_EQ(order, (std::vector<std::string>{"witness", "timer"}));
}

TEST(TimerTest, HandlerMayDestroyItsOwnTimer) {
  auto* timer = new TTimer();
  timer->SetInterval(5);
  int fires = 0;
  timer->OnTimer = [&](TObject* sender) {
    ++fires;
    delete static_cast<TTimer*>(sender);
  };
  ASSERT_TRUE(RunEventsUntil([&] { return fires > 0; }, 2000));
  RunEventsFor(40);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fires, 1);
}

TEST(TimerTest, OwnerDestroysItsTimers) {
  int fires = 0;
  {
    TComponent owner;
    auto* timer = new TTimer(&owner);
    timer->SetInterval(5);
    timer->OnTimer = [&](TObject*) { ++fires; };
  }
  RunEventsFor(40);
  EXPECT_EQ(fires, 0);
}

}  // namespace
}  // namespace mirto
