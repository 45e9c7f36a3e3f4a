// The main window's image list and the pictures its entries show.

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "launcher/LauncherArtwork.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

// Indices the actions show; each must tell its entry apart.
const std::vector<int> kUsedIndices = {6,  7,  8,  10, 11, 12, 13, 14, 15, 16, 17,
                                       18, 19, 20, 21, 23, 24, 25, 26, 27, 28, 29};

std::vector<std::uint8_t> Pixels(const TPngImage& png) {
  std::vector<std::uint8_t> bytes;
  for (int y = 0; y < png.Height(); ++y) {
    const std::uint8_t* row = png.ScanLine(y);
    bytes.insert(bytes.end(), row, row + png.Width() * png.BytesPerPixel());
    if (png.HasAlphaChannel())
      bytes.insert(bytes.end(), png.AlphaScanline(y), png.AlphaScanline(y) + png.Width());
  }
  return bytes;
}

TEST(MainImageList, HoldsThirtyNamedPicturesAtEachScale) {
  for (int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    TPngImageList list;
    ASSERT_EQ(LoadMainImageList(list, scale), kMainImageCount);
    ASSERT_EQ(list.Count(), 30);
    EXPECT_EQ(list.Width(), 16 * scale);
    EXPECT_EQ(list.PngOptions(), (TPngOptions{pngBlendOnDisabled, pngGrayscaleOnDisabled}));
    EXPECT_EQ(list.GetImageName(27), "execute");
    EXPECT_EQ(list.GetImageName(28), "folder_open");
    EXPECT_EQ(list.GetImageName(29), "internet");
    EXPECT_EQ(list.GetImageName(6), "PngImage24");
    EXPECT_EQ(list.GetImageName(26), "PngImage44");
    EXPECT_EQ(list.FindIndexByName("home PAGE"), 2);
    for (int i = 0; i < list.Count(); ++i) {
      const TPngImageCollectionItem* item = list.PngImages().Items(i);
      EXPECT_EQ(item->PngImage()->Width(), 16 * scale) << i;
      EXPECT_EQ(item->PngImage()->Height(), 16 * scale) << i;
      EXPECT_EQ(item->Background(), clWindow) << i;
    }
  }
}

TEST(MainImageList, LoadingAgainReplacesTheItems) {
  TPngImageList list;
  LoadMainImageList(list, 2);
  ASSERT_EQ(LoadMainImageList(list, 1), kMainImageCount);
  EXPECT_EQ(list.Count(), 30);
  EXPECT_EQ(list.PngImages().Items(0)->PngImage()->Width(), 16);
}

TEST(MainImageList, NoTwoUsedEntriesShowTheSamePicture) {
  TPngImageList list;
  ASSERT_EQ(LoadMainImageList(list), kMainImageCount);
  std::set<std::vector<std::uint8_t>> seen;
  for (int index : kUsedIndices)
    EXPECT_TRUE(seen.insert(Pixels(*list.PngImages().Items(index)->PngImage())).second)
        << "index " << index << " repeats a picture";
}

TEST(ApplicationIcon, LoadsWithItsSizes) {
  TIcon icon;
  ASSERT_TRUE(LoadApplicationIcon(icon));
  EXPECT_GE(icon.SizeCount(), 8);
}

}  // namespace
}  // namespace mirto
