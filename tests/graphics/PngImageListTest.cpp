#include <gtest/gtest.h>

#include <climits>

#include "graphics/PngImageList.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Icon.h"
#include "tests/support/PixelPicture.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

// A w x 1 RGBA image: pixel x has colour colors[x], opaque unless clNone.
void MakeRow(TPngImage& png, std::vector<TColor> colors) {
  png.CreateBlank(COLOR_RGBALPHA, int(colors.size()), 1);
  for (std::size_t x = 0; x < colors.size(); ++x) {
    if (colors[x] == clNone) continue;
    png.ScanLine(0)[x * 3] = GetBValue(colors[x]);
    png.ScanLine(0)[x * 3 + 1] = GetGValue(colors[x]);
    png.ScanLine(0)[x * 3 + 2] = GetRValue(colors[x]);
    png.AlphaScanline(0)[x] = 255;
  }
}

void AddImages(TPngImageList& list, int count) {
  TPngImage png;
  MakeRow(png, {clRed});
  for (int i = 0; i < count; ++i) list.AddPng(&png);
}

QStringList Names(const TPngImageList& list) {
  QStringList names;
  list.ListImageNames(names);
  return names;
}

TEST(PngImageList, NamesComeFromThePositionAtCreation) {
  TPngImageList list;
  AddImages(list, 5);
  EXPECT_EQ(list.GetImageName(4), "PngImage4");
  TPngImage png;
  MakeRow(png, {clBlue});
  list.InsertPng(0, &png);
  EXPECT_EQ(list.GetImageName(0), "PngImage5");
  EXPECT_EQ(list.GetImageName(1), "PngImage0");
  list.AddPng(&png);
  EXPECT_EQ(list.GetImageName(6), "PngImage6");
  AddImages(list, 1);
  EXPECT_EQ(list.GetImageName(7), "PngImage7");
  EXPECT_EQ(list.GetImageName(8), "");
  EXPECT_EQ(list.GetImageName(-1), "");
}

TEST(PngImageList, FindsNamesIgnoringCase) {
  TPngImageList list;
  AddImages(list, 3);
  list.PngImages().Items(1)->SetName("Exit");
  list.PngImages().Items(2)->SetName("Home page");
  EXPECT_EQ(list.FindIndexByName("home PAGE"), 2);
  EXPECT_EQ(list.FindIndexByName("EXIT"), 1);
  EXPECT_EQ(list.FindIndexByName("missing"), -1);
  QStringList names{"first"};
  list.ListImageNames(names);
  EXPECT_EQ(names, (QStringList{"first", "PngImage0", "Exit", "Home page"}));
}

TEST(PngImageList, NewSizeEmptiesTheListAndTheSameSizeKeepsIt) {
  TPngImageList list;
  AddImages(list, 3);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  list.SetWidth(16);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(changes, 0);
  list.SetWidth(24);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Width(), 24);
  EXPECT_GT(changes, 0);
  AddImages(list, 1);
  list.SetHeight(20);
  EXPECT_EQ(list.Count(), 0);
}

TEST(PngImageList, ReachedThroughTheBaseInterface) {
  TPngImageList png;
  TCustomImageList& list = png;
  TBitmap bitmap, mask;
  testing_support::Blank(bitmap, 2, 1, clRed);
  testing_support::Blank(mask, 2, 1, clBlack);  // black: the image shows
  mask.Canvas().SetPixels(1, 0, clWhite);

  EXPECT_EQ(list.Add(&bitmap, &mask), 0);
  EXPECT_EQ(list.AddMasked(&bitmap, clRed), 1);
  EXPECT_EQ(list.Add(nullptr, nullptr), -1);
  EXPECT_EQ(list.Count(), 2);
  const TPngImage* first = png.PngImages().Items(0)->PngImage();
  EXPECT_EQ(first->PixelAlpha(0, 0), 255);
  EXPECT_EQ(first->PixelAlpha(1, 0), 0);
  EXPECT_EQ(png.PngImages().Items(0)->Background(), clNone);
  EXPECT_EQ(png.PngImages().Items(1)->PngImage()->PixelAlpha(0, 0), 0);

  TIcon icon;
  ASSERT_TRUE(list.GetIcon(0, &icon));
  EXPECT_EQ(list.AddIcon(&icon), 2);
  EXPECT_EQ(list.AddImage(&png, 0), 3);
  EXPECT_EQ(list.AddImage(&png, 9), -1);
  list.Move(3, 0);
  list.Delete(1);
  list.Delete(7);
  EXPECT_EQ(Names(png), (QStringList{"PngImage3", "PngImage1", "PngImage2"}));
  list.AddImages(&png);  // doubles, and stops
  EXPECT_EQ(list.Count(), 6);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(PngImageList, ReplaceOutsideTheListIsRefusedAndChangesNothing) {
  TPngImageList list;
  AddImages(list, 2);
  list.PngImages().Items(1)->SetBackground(clWhite);
  TBitmap bitmap;
  bitmap.SetSize(1, 1);
  bitmap.Canvas().SetPixels(0, 0, clLime);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };

  for (int index : {-1, 2, 100}) {
    EXPECT_THROW(list.Replace(index, &bitmap, nullptr), EAssertionFailed);
    EXPECT_THROW(list.ReplaceMasked(index, &bitmap, clLime), EAssertionFailed);
    try {
      list.ReplaceIcon(index, nullptr);
      ADD_FAILURE() << "accepted " << index;
    } catch (const EAssertionFailed& e) {
      EXPECT_STREQ(e.what(), "Dest is nil!");
    }
  }
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.PngImages().Items(1)->PngImage()->Pixel(0, 0), clRed);

  list.ReplaceMasked(1, &bitmap, clBlack);
  EXPECT_GT(changes, 0);
  EXPECT_EQ(list.PngImages().Items(1)->PngImage()->Pixel(0, 0), clLime);
  EXPECT_EQ(list.PngImages().Items(1)->Background(), clWhite);  // kept
  EXPECT_EQ(list.GetImageName(1), "PngImage1");
}

class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.SetWidth(2);
    list.SetHeight(1);
    TPngImage png;
    MakeRow(png, {clRed, clNone});
    list.AddPng(&png);
    MakeRow(png, {clNone, clBlue});
    list.AddPng(&png);
    target.SetSize(2, 1);
  }
  // The two pixels of the target (device coordinates) after drawing at x.
  std::pair<TColor, TColor> Draw(int index, bool enabled, int overlay = -1, int x = 0) {
    TCanvas& canvas = target.Canvas();
    const TPoint origin = canvas.WindowOrg();
    canvas.SetWindowOrg({});
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect({0, 0, 2, 1});
    canvas.SetWindowOrg(origin);
    if (overlay < 0) {
      list.Draw(&canvas, x, 0, index, enabled);
    } else {
      list.DrawOverlay(&canvas, x, 0, index, TOverlay(overlay), enabled);
    }
    canvas.SetWindowOrg({});
    const std::pair<TColor, TColor> shown{canvas.Pixels(0, 0), canvas.Pixels(1, 0)};
    canvas.SetWindowOrg(origin);
    return shown;
  }
  TPngImageList list;
  TBitmap target;
};

TEST_F(DrawTest, DisabledItemsAreGreyedAndHalfTransparentOnlyWithOptions) {
  EXPECT_EQ(Draw(0, true).first, clRed);
  list.SetPngOptions({pngBlendOnDisabled, pngGrayscaleOnDisabled});
  const TColor disabled = Draw(0, false).first;
  EXPECT_EQ(GetRValue(disabled), GetGValue(disabled));
  EXPECT_EQ(GetGValue(disabled), GetBValue(disabled));
  EXPECT_NEAR(GetRValue(disabled), (76 * 128 + 255 * 127) / 255, 1);
  list.SetPngOptions({});
  EXPECT_EQ(Draw(0, false).first, clRed);
  // The stored image is never changed by drawing.
  EXPECT_EQ(list.PngImages().Items(0)->PngImage()->Pixel(0, 0), clRed);
}

TEST_F(DrawTest, OverlaysDrawOnlyValidImages) {
  EXPECT_TRUE(list.Overlay(1, 0));
  EXPECT_EQ(Draw(0, true, 0), std::make_pair(clRed, clBlue));
  EXPECT_EQ(Draw(0, true, 3), std::make_pair(clRed, clWhite));  // slot holds -1
  EXPECT_FALSE(list.Overlay(5, 2));
  EXPECT_EQ(Draw(0, true, 2), std::make_pair(clRed, clWhite));
  list.Delete(1);  // slot 0 now names an index beyond the list
  EXPECT_EQ(Draw(0, true, 0), std::make_pair(clRed, clWhite));
  EXPECT_EQ(Draw(7, true), std::make_pair(clWhite, clWhite));
}

TEST_F(DrawTest, OverlayBeyondTheListShowsOnceTheListGrowsToIt) {
  EXPECT_FALSE(list.Overlay(2, 4));
  EXPECT_EQ(Draw(0, true, 4), std::make_pair(clRed, clWhite));
  TPngImage png;
  MakeRow(png, {clNone, clLime});
  list.AddPng(&png);
  EXPECT_EQ(Draw(0, true, 4), std::make_pair(clRed, clLime));
  // The platform list's own overlays behave alike.
  TImageList plain;
  plain.SetSize(1, 1);
  EXPECT_FALSE(plain.Overlay(1, 0));
  TBitmap pixel;
  pixel.SetSize(1, 1);
  plain.AddMasked(&pixel, clNone);
  plain.AddMasked(&pixel, clNone);
  EXPECT_EQ(plain.OverlayImage(0), 1);
}

TEST_F(DrawTest, BitmapsTooWideForAPngImageAreRefusedAndChangeNothing) {
  TBitmap wide;
  wide.SetSize(8193, 1);
  EXPECT_THROW(list.Add(&wide, nullptr), EPngError);
  EXPECT_THROW(list.AddMasked(&wide, clBlack), EPngError);
  EXPECT_THROW(list.Insert(0, &wide, nullptr), EPngError);
  EXPECT_THROW(list.ReplaceMasked(0, &wide, clBlack), EPngError);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(Draw(0, true), std::make_pair(clRed, clWhite));
}

TEST_F(DrawTest, ImagesEndingBeyondIntAreDrawnWhereTheyReachTheTarget) {
  target.Canvas().SetWindowOrg({INT_MAX - 2, 0});
  EXPECT_EQ(Draw(0, true, -1, INT_MAX - 2), std::make_pair(clRed, clWhite));
  TImageList plain;
  plain.SetSize(2, 1);
  TBitmap pixels;
  pixels.SetSize(2, 1);
  pixels.Canvas().SetPixels(1, 0, clBlue);
  plain.AddMasked(&pixels, clNone);
  plain.Draw(&target.Canvas(), INT_MAX - 2, 0, 0);
  target.Canvas().SetWindowOrg({});
  EXPECT_EQ(target.Canvas().Pixels(1, 0), clBlue);
}

TEST_F(DrawTest, BitmapsShowTheDisabledEffectsWhenImagesAreNotEnabled) {
  TBitmap bitmap;
  ASSERT_TRUE(list.GetBitmap(0, &bitmap));
  EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
  EXPECT_EQ(bitmap.ScanLine(0)[2], 255);  // red
  EXPECT_EQ(bitmap.ScanLine(0)[3], 255);
  EXPECT_EQ(bitmap.ScanLine(0)[7], 0);  // transparent pixel
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  list.SetEnabledImages(false);
  list.SetEnabledImages(false);
  EXPECT_EQ(changes, 1);
  ASSERT_TRUE(list.GetBitmap(0, &bitmap));
  EXPECT_EQ(bitmap.ScanLine(0)[3], 128);  // blended by default options
  EXPECT_FALSE(list.GetBitmap(2, &bitmap));
}

// A plain list whose only image is an icon: red, with the right pixel
// half transparent and the bottom one fully.
class IconList : public TCustomImageList {
 public:
  int Count() const override { return 1; }
  bool GetIcon(int index, TIcon* icon) const override {
    if (index != 0) return false;
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(2, 2);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 2; ++x) {
        std::uint8_t* p = bitmap.ScanLine(y) + x * 4;
        p[0] = 0, p[1] = 0, p[2] = 255, p[3] = y == 1 ? 0 : (x == 1 ? 100 : 255);
      }
    }
    icon->Assign(&bitmap);
    return true;
  }
};

TEST(CopyPngFromImageList, CopiesExistingImagesAndLeavesTheRestAlone) {
  TPngImageList list;
  AddImages(list, 1);
  TPngImage dest;
  MakeRow(dest, {clBlue, clBlue});
  CopyPngFromImageList(&dest, &list, 1);
  CopyPngFromImageList(&dest, &list, -1);
  CopyPngFromImageList(&dest, nullptr, 0);
  CopyPngFromImageList(nullptr, &list, 0);
  EXPECT_EQ(dest.Width(), 2);
  EXPECT_EQ(dest.Pixel(0, 0), clBlue);
  CopyPngFromImageList(&dest, &list, 0);
  EXPECT_EQ(dest.Width(), 1);
  EXPECT_EQ(dest.Pixel(0, 0), clRed);

  IconList icons;
  CopyPngFromImageList(&dest, &icons, 0);
  ASSERT_EQ(dest.Width(), 2);
  EXPECT_EQ(dest.Pixel(1, 0), clRed);
  EXPECT_EQ(dest.PixelAlpha(1, 0), 255);  // shown by the mask: opaque
  EXPECT_EQ(dest.PixelAlpha(0, 1), 0);
  CopyPngFromImageList(&dest, &icons, 1);
  EXPECT_EQ(dest.Width(), 2);
}

TEST(PngImageList, UpdateBracketSendsOneNotification) {
  TPngImageList list;
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  AddImages(list, 1);
  EXPECT_EQ(changes, 1);
  list.BeginUpdate();
  AddImages(list, 3);
  list.PngImages().Items(0)->SetBackground(clRed);
  list.PngImages().Items(0)->PngImage()->CreateAlpha();
  EXPECT_EQ(changes, 1);
  list.EndUpdate();
  EXPECT_EQ(changes, 2);
  // Editing an item's image in place is a change of the list.
  list.PngImages().Items(1)->PngImage()->Clear();
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(list.AddPng(nullptr), -1);
  EXPECT_EQ(changes, 3);
}

TEST(PngImageList, ItemsMadeWithoutImageGetOneWhenNeeded) {
  TPngImageList list;
  TPngImageCollectionItem* item = list.PngImages().Add(true);
  EXPECT_EQ(item->PngImage(), nullptr);
  TBitmap bitmap;
  bitmap.SetSize(1, 1);
  list.ReplaceMasked(0, &bitmap, clNone);
  ASSERT_NE(item->PngImage(), nullptr);
  EXPECT_EQ(item->PngImage()->Width(), 1);

  TPngImageList copy;
  copy.SetPngImages(list.PngImages());
  ASSERT_EQ(copy.Count(), 1);
  EXPECT_EQ(copy.GetImageName(0), "PngImage0");
  EXPECT_EQ(copy.PngImages().Items(0)->PngImage()->Width(), 1);
}

}  // namespace
}  // namespace mirto
