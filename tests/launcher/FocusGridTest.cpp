#include <gtest/gtest.h>

#include <vector>

#include "launcher/FocusGrid.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

// Three rows: a wide and a narrow button, one button between them whose
// middle lies under the wide one's while its left edge lies nearer the
// narrow one's, and again a wide and a narrow button (listed narrow first).
enum { kWideTop, kNarrowTop, kMiddle, kNarrowBottom, kWideBottom };
const std::vector<TRect> kPlaces = {
    Bounds(0, 0, 300, 30),   Bounds(310, 0, 60, 30), Bounds(160, 40, 60, 30),
    Bounds(310, 80, 60, 30), Bounds(0, 80, 300, 30),
};

TEST(FocusGrid, ArrowsStepInReadingOrderToTheNearestMiddleAndStayAtTheEnds) {
  struct Case {
    const char* what;
    int from;
    TGridMove move;
    int to;
  };
  const Case cases[] = {
      {"nothing focused: the first button", -1, gmDown, kWideTop},
      {"right steps on", kWideTop, gmRight, kNarrowTop},
      {"right leaves the row for the next", kNarrowTop, gmRight, kMiddle},
      {"right steps on in reading order", kWideBottom, gmRight, kNarrowBottom},
      {"right on the last button stays", kNarrowBottom, gmRight, kNarrowBottom},
      {"left steps back", kMiddle, gmLeft, kNarrowTop},
      {"left on the first button stays", kWideTop, gmLeft, kWideTop},
      {"up goes to the nearest middle, not the nearest left edge", kMiddle, gmUp, kWideTop},
      {"down goes to the nearest middle, not the nearest left edge", kMiddle, gmDown, kWideBottom},
      {"down from the narrow button", kNarrowTop, gmDown, kMiddle},
      {"up on the top row stays", kNarrowTop, gmUp, kNarrowTop},
      {"down on the bottom row stays", kNarrowBottom, gmDown, kNarrowBottom},
  };
  for (const Case& c : cases) EXPECT_EQ(NextInGrid(kPlaces, c.from, c.move), c.to) << c.what;
  EXPECT_EQ(NextInGrid({}, -1, gmRight), -1) << "no buttons";
}

}  // namespace
}  // namespace mirto
