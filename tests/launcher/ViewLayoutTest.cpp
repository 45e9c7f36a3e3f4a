#include <gtest/gtest.h>

#include <vector>

#include "launcher/ViewLayout.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

constexpr int kPanelWidth = 603;  // the main area at the window's layout size

TEST(CategoryViewLayout, TwoHalvesOfThreeColumnsWithTheRowAdvanceAfterTheThirdButton) {
  constexpr int kHeading = 23;
  TCategoryViewLayout layout(kPanelWidth);
  EXPECT_EQ(layout.HeadingTop(), 10);
  layout.HeadingPlaced(layout.HeadingTop(), kHeading);
  std::vector<TPoint> video;
  for (int i = 0; i < 6; ++i) video.push_back(layout.NextButton(180, 33));
  layout.HalfDone();
  const int audioHeadingTop = layout.HeadingTop();
  layout.HeadingPlaced(audioHeadingTop, kHeading);
  std::vector<TPoint> audio;
  for (int i = 0; i < 4; ++i) audio.push_back(layout.NextButton(180, 33));

  const int row1 = 10 + kHeading + 10;
  const int row2 = row1 + 33 + 10;
  const std::vector<TPoint> expectedVideo = {{10, row1}, {211, row1}, {412, row1},
                                             {10, row2}, {211, row2}, {412, row2}};
  EXPECT_EQ(video, expectedVideo);
  // The advance happens after the third button only, so the audio heading
  // sits one button and two spacings below the second row's top.
  EXPECT_EQ(audioHeadingTop, row2 + 33 + 2 * 10);
  const int audioRow1 = audioHeadingTop + kHeading + 10;
  const std::vector<TPoint> expectedAudio = {
      {10, audioRow1}, {211, audioRow1}, {412, audioRow1}, {10, audioRow1 + 43}};
  EXPECT_EQ(audio, expectedAudio);
}

TEST(CategoryViewLayout, ButtonsBeyondSixStartAtTheLeftEdgeOfTheSecondRow) {
  TCategoryViewLayout layout(kPanelWidth);
  layout.HeadingPlaced(10, 20);
  for (int i = 0; i < 6; ++i) layout.NextButton(180, 33);
  EXPECT_EQ(layout.NextButton(180, 33), (TPoint{0, 83}));
  EXPECT_EQ(layout.NextButton(100, 33), (TPoint{0, 83}));
}

TEST(GroupViewLayout, TwoColumnsEitherSideOfTheMiddle) {
  struct Case {
    const char* what;
    int count;
    std::vector<int> widths;
    std::vector<TPoint> expected;
  };
  // Title 22 high at 20, description 18 high: buttons start at 20+22+10+18+20.
  constexpr int y = 90;
  const Case cases[] = {
      {"two rows of 200-pixel buttons",
       4,
       {200, 200, 200, 200},
       {{91, y}, {311, y}, {91, y + 43}, {311, y + 43}}},
      {"a wide button in the left column", 2, {260, 200}, {{31, y}, {311, y}}},
      {"an odd third button stays in the left column",
       3,
       {200, 200, 200},
       {{91, y}, {311, y}, {91, y + 43}}},
      {"a group of one is centred", 1, {200}, {{201, y}}},
      {"a group of three with two found is not centred", 3, {200, 200}, {{91, y}, {311, y}}},
  };
  for (const Case& c : cases) {
    TGroupViewLayout layout(kPanelWidth, c.count);
    layout.TitlePlaced(TGroupViewLayout::TitleTop, 22);
    EXPECT_EQ(layout.DescriptionTop(), 52) << c.what;
    layout.DescriptionPlaced(18);
    std::vector<TPoint> placed;
    for (const int w : c.widths) placed.push_back(layout.NextButton(w, 33));
    EXPECT_EQ(placed, c.expected) << c.what;
  }
}

}  // namespace
}  // namespace mirto
