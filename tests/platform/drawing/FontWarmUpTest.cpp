#include <gtest/gtest.h>

#include "platform/drawing/FontWarmUp.h"

namespace mirto {
namespace {

// A launcher that ends early (a failed start) never waits for its warm-up:
// the object must still end its thread, or the program would be stopped.
TEST(FontWarmUp, EndsItsThreadWhetherItWasWaitedForOnceTwiceOrNever) {
  { const TFontWarmUp neverWaitedFor; }
  TFontWarmUp warmUp;
#if defined(__linux__)
  EXPECT_TRUE(warmUp.Started()) << "built without the font system's library: no warm-up";
#endif
  warmUp.Wait();
  warmUp.Wait();
}

}  // namespace
}  // namespace mirto
