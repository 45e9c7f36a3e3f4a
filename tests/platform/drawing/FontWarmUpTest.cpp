#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/drawing/FontSubstitution.h"
#include "platform/drawing/FontWarmUp.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

TEST(FontWarmUp, TheWorkRunsOnceOnItsOwnThreadAndWaitWaitsForIt) {
  TFontWarmUp warmUp;
  if (!warmUp.Started()) GTEST_SKIP() << "built without the font system's library";
  std::atomic<int> runs{0};
  std::thread::id ranOn;
  warmUp.ContinueWith([&] {
    // Long enough that a Wait that did not wait would be caught.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    ranOn = std::this_thread::get_id();
    ++runs;
  });
  warmUp.Wait();
  EXPECT_EQ(runs, 1);
  EXPECT_NE(ranOn, std::this_thread::get_id());
  warmUp.Wait();
  warmUp.ContinueWith([&] { ++runs; });  // too late: the thread has ended
  EXPECT_EQ(runs, 1);
}

// The font code waited for a warm-up that had already ended and was gone;
// the next one is what it waits for.
TEST(FontWarmUp, AWarmUpThatIsGoneIsNeverWaitedForAndTheNextOneIs) {
  auto gone = std::make_unique<TFontWarmUp>();
  if (!gone->Started()) GTEST_SKIP() << "built without the font system's library";
  gone.reset();
  TFontWarmUp next;
  std::atomic<bool> done{false};
  next.ContinueWith([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    done = true;
  });
  AwaitFontWarmUp();
  EXPECT_TRUE(done);
}

TEST(FontWarmUp, FamiliesResolvedOnAnotherThreadAreTheOnesTheMainThreadFinds) {
  {
    TFontWarmUp warmUp;
    bool ran = false;
    warmUp.Wait();
    warmUp.ContinueWith([&] { ran = true; });
    EXPECT_FALSE(ran) << "work given after the wait must never run";
  }
  std::thread resolver(PrepareFontFamilies);
  resolver.join();
  struct Case {
    const char* name;
    const char* family;
  };
  for (const Case& c :
       {Case{"Segoe UI", "Open Sans"}, Case{"Tahoma", "Liberation Sans"},
        Case{"Consolas", "Inconsolata"}, Case{"Liberation Sans", "Liberation Sans"}})
    EXPECT_EQ(InstalledFontFamily(c.name).compare(c.family, Qt::CaseInsensitive), 0)
        << c.name << " -> " << InstalledFontFamily(c.name).toStdString();
}

}  // namespace
}  // namespace mirto
