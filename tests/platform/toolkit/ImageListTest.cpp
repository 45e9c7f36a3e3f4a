#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Icon.h"
#include "platform/toolkit/ImageList.h"
#include "tests/support/PixelPicture.h"

namespace mirto {
namespace {

// A 24-bit bitmap of side-by-side w x h cells, one solid colour each.
std::unique_ptr<TBitmap> Strip(int w, int h, const std::vector<TColor>& colors) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(w * static_cast<int>(colors.size()), h);
  for (std::size_t i = 0; i < colors.size(); ++i) {
    bitmap->Canvas().Brush().SetColor(colors[i]);
    bitmap->Canvas().FillRect(Bounds(static_cast<int>(i) * w, 0, w, h));
  }
  return bitmap;
}

// The colour the list shows at (x, y) of image index, drawn over white.
TColor Shown(TCustomImageList& list, int index, int x, int y, bool enabled = true) {
  TBitmap target;
  testing_support::Blank(target, list.Width(), list.Height());
  list.Draw(&target.Canvas(), 0, 0, index, enabled);
  return target.Canvas().Pixels(x, y);
}

std::vector<TColor> Colours(TCustomImageList& list) {
  std::vector<TColor> result;
  for (int i = 0; i < list.Count(); ++i) result.push_back(Shown(list, i, 1, 1));
  return result;
}

struct Counter {
  explicit Counter(TCustomImageList& list) {
    link.OnChange = [this](TObject*) { ++changes; };
    link.SetSender(&list);
  }
  TChangeLink link;
  int changes = 0;
};

TEST(ImageListTest, AddingCutsWideBitmapsIntoImagesAndRejectsEmptyOnes) {
  TImageList list;
  list.SetSize(4, 4);
  Counter counter(list);
  EXPECT_EQ(list.Add(Strip(4, 4, {clRed, clLime, clBlue}).get(), nullptr), 0);
  EXPECT_EQ(list.Add(Strip(4, 4, {clYellow}).get(), nullptr), 3);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(Colours(list), (std::vector<TColor>{clRed, clLime, clBlue, clYellow}));
  EXPECT_EQ(counter.changes, 2) << "one notification per call, not per image";

  TBitmap empty;
  EXPECT_EQ(list.Add(&empty, nullptr), -1);
  EXPECT_EQ(list.Add(nullptr, nullptr), -1);
  EXPECT_EQ(list.AddMasked(&empty, clRed), -1);
  EXPECT_EQ(list.AddIcon(nullptr), -1);
  TIcon noIcon;
  EXPECT_EQ(list.AddIcon(&noIcon), -1);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(counter.changes, 2);

  // A narrower bitmap still gives one image; the missing part is transparent.
  EXPECT_EQ(list.Add(Strip(2, 4, {clNavy}).get(), nullptr), 4);
  EXPECT_EQ(Shown(list, 4, 1, 1), clNavy);
  EXPECT_EQ(Shown(list, 4, 3, 1), clWhite);
}

TEST(ImageListTest, MasksAndMaskColoursMakePixelsTransparent) {
  TImageList list;
  list.SetSize(4, 4);
  auto picture = Strip(4, 4, {clRed});
  picture->Canvas().SetPixels(0, 0, clFuchsia);

  list.AddMasked(picture.get(), clFuchsia);
  EXPECT_EQ(Shown(list, 0, 0, 0), clWhite);
  EXPECT_EQ(Shown(list, 0, 1, 0), clRed);

  list.AddMasked(picture.get(), clNone);
  EXPECT_EQ(Shown(list, 1, 0, 0), clFuchsia) << "clNone masks nothing";

  auto mask = Strip(4, 4, {clBlack});
  mask->Canvas().SetPixels(2, 2, clWhite);
  list.Add(picture.get(), mask.get());
  EXPECT_EQ(Shown(list, 2, 2, 2), clWhite) << "white mask pixels are transparent";
  EXPECT_EQ(Shown(list, 2, 1, 1), clRed);

  // A 32-bit bitmap brings its own alpha.
  TBitmap withAlpha;
  withAlpha.SetPixelFormat(pf32bit);
  withAlpha.SetSize(4, 4);
  for (int y = 0; y < 4; ++y) {
    std::uint8_t* row = withAlpha.ScanLine(y);
    for (int x = 0; x < 4; ++x) {
      row[x * 4 + 0] = 0xFF;  // blue
      row[x * 4 + 1] = 0;
      row[x * 4 + 2] = 0;
      row[x * 4 + 3] = x == 0 ? 0 : 0xFF;
    }
  }
  list.Add(&withAlpha, nullptr);
  EXPECT_EQ(Shown(list, 3, 0, 0), clWhite);
  EXPECT_EQ(Shown(list, 3, 1, 0), clBlue);
}

TEST(ImageListTest, IndexedOperationsIgnoreIndexesOutsideTheList) {
  TImageList list;
  list.SetSize(2, 2);
  list.Add(Strip(2, 2, {clRed, clLime, clBlue}).get(), nullptr);
  Counter counter(list);
  auto yellow = Strip(2, 2, {clYellow});

  for (int bad : {-1, 3, 100}) {
    list.Delete(bad);
    list.Replace(bad, yellow.get(), nullptr);
    list.ReplaceMasked(bad, yellow.get(), clNone);
    list.Move(bad, 0);
    list.Move(0, bad);
  }
  list.Insert(4, yellow.get(), nullptr);
  list.Insert(-1, yellow.get(), nullptr);
  EXPECT_EQ(Colours(list), (std::vector<TColor>{clRed, clLime, clBlue}));
  EXPECT_EQ(counter.changes, 0);

  list.Insert(3, yellow.get(), nullptr);  // Count appends
  list.Insert(0, Strip(2, 2, {clNavy}).get(), nullptr);
  EXPECT_EQ(Colours(list), (std::vector<TColor>{clNavy, clRed, clLime, clBlue, clYellow}));
  list.Move(0, 4);
  EXPECT_EQ(Colours(list), (std::vector<TColor>{clRed, clLime, clBlue, clYellow, clNavy}));
  list.Move(3, 1);
  EXPECT_EQ(Colours(list), (std::vector<TColor>{clRed, clYellow, clLime, clBlue, clNavy}));
  list.Replace(2, Strip(2, 2, {clTeal}).get(), nullptr);
  list.Delete(0);
  EXPECT_EQ(Colours(list), (std::vector<TColor>{clYellow, clTeal, clBlue, clNavy}));
  EXPECT_EQ(counter.changes, 6);

  // Nothing is drawn for a missing image.
  EXPECT_EQ(Shown(list, 4, 0, 0), clWhite);
  EXPECT_EQ(Shown(list, -1, 0, 0), clWhite);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageListTest, NewSizeDropsTheImagesButTheSameSizeKeepsThem) {
  TImageList list;
  list.Add(Strip(16, 16, {clRed, clLime}).get(), nullptr);
  Counter counter(list);
  list.SetWidth(16);
  list.SetSize(16, 16);
  list.SetHeight(0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(counter.changes, 0);
  list.SetWidth(24);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Width(), 24);
  EXPECT_EQ(counter.changes, 1);
  list.SetSize(32, 32);
  EXPECT_EQ(counter.changes, 2) << "a size change notifies once";
}

TEST(ImageListTest, UpdateBracketSendsOneNotificationAfterChanges) {
  TImageList list;
  list.SetSize(2, 2);
  int changes = 0;
  list.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changes;
  };
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add(Strip(2, 2, {clRed}).get(), nullptr);
  list.Add(Strip(2, 2, {clRed}).get(), nullptr);
  list.EndUpdate();
  EXPECT_EQ(changes, 0) << "held back until the outermost EndUpdate";
  list.EndUpdate();
  EXPECT_EQ(changes, 1);
  list.BeginUpdate();
  list.EndUpdate();
  list.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(changes, 1) << "no change, no notification";
  list.Add(Strip(2, 2, {clRed}).get(), nullptr);
  EXPECT_EQ(changes, 2);
}

TEST(ImageListTest, OverlaysDrawOnTopAndFollowTheirImage) {
  TImageList list;
  list.SetSize(4, 4);
  list.Add(Strip(4, 4, {clRed, clLime}).get(), nullptr);
  auto dot = Strip(4, 4, {clBlue});
  list.AddMasked(dot.get(), clNone);
  auto ring = Strip(4, 4, {clFuchsia});
  ring->Canvas().SetPixels(1, 1, clBlack);
  list.AddMasked(ring.get(), clBlack);  // image 3: fuchsia with a hole at (1, 1)

  EXPECT_TRUE(list.Overlay(3, 0));
  EXPECT_FALSE(list.Overlay(9, 1));
  EXPECT_FALSE(list.Overlay(2, 15)) << "slot out of range";
  EXPECT_EQ(list.OverlayImage(0), 3);
  EXPECT_EQ(list.OverlayImage(1), 9) << "kept for when the list reaches it";

  TBitmap target;
  target.SetSize(4, 4);
  list.DrawOverlay(&target.Canvas(), 0, 0, 0, 0);
  EXPECT_EQ(target.Canvas().Pixels(0, 0), clFuchsia);
  EXPECT_EQ(target.Canvas().Pixels(1, 1), clRed) << "base image through the overlay's hole";
  list.DrawOverlay(&target.Canvas(), 0, 0, 1, 1);  // empty slot: base image alone
  EXPECT_EQ(target.Canvas().Pixels(0, 0), clLime);

  // The slot keeps naming the same picture when images before it go.
  list.Delete(0);
  EXPECT_EQ(list.OverlayImage(0), 2);
  list.Move(2, 0);
  EXPECT_EQ(list.OverlayImage(0), 0);
  list.Delete(0);
  EXPECT_EQ(list.OverlayImage(0), -1);
}

TEST(ImageListTest, DisabledImagesAreGreyAndFaded) {
  TImageList list;
  list.SetSize(2, 2);
  list.Add(Strip(2, 2, {clRed}).get(), nullptr);
  const TColor shown = Shown(list, 0, 0, 0, false);
  EXPECT_EQ(GetRValue(shown), GetGValue(shown));
  EXPECT_EQ(GetGValue(shown), GetBValue(shown));
  EXPECT_GT(GetRValue(shown), 0x80) << "half transparent over white";
  EXPECT_LT(GetRValue(shown), 0xFF);
}

TEST(ImageListTest, ImagesTravelBetweenListsWithTheirTransparency) {
  TImageList source;
  source.SetSize(4, 4);
  auto picture = Strip(4, 4, {clRed, clLime});
  picture->Canvas().SetPixels(0, 0, clFuchsia);
  source.AddMasked(picture.get(), clFuchsia);

  TImageList copy;
  copy.SetSize(4, 4);
  EXPECT_EQ(copy.AddImage(&source, 1), 0);
  EXPECT_EQ(copy.AddImage(&source, 2), -1);
  EXPECT_EQ(copy.AddImage(nullptr, 0), -1);
  copy.AddImages(&source);
  copy.AddImages(&copy);  // doubling itself stops
  EXPECT_EQ(Colours(copy), (std::vector<TColor>{clLime, clRed, clLime, clLime, clRed, clLime}));
  EXPECT_EQ(Shown(copy, 1, 0, 0), clWhite);

  TBitmap out;
  EXPECT_FALSE(copy.GetBitmap(6, &out));
  ASSERT_TRUE(copy.GetBitmap(1, &out));
  EXPECT_EQ(out.Width(), 4);
  EXPECT_EQ(out.PixelFormat(), pf32bit);
  EXPECT_EQ(out.ScanLine(0)[3], 0) << "alpha of the transparent pixel";
  EXPECT_EQ(out.ScanLine(1)[7], 0xFF);

  TIcon icon;
  ASSERT_TRUE(copy.GetIcon(0, &icon));
  TImageList third;
  third.SetSize(4, 4);
  third.AddIcon(&icon);
  third.ReplaceIcon(0, &icon);
  EXPECT_EQ(Colours(third), (std::vector<TColor>{clLime}));
}

TEST(ImageListTest, ChangeLinksAndListsMayDieInEitherOrder) {
  auto list = std::make_unique<TImageList>();
  auto early = std::make_unique<TChangeLink>();
  early->SetSender(list.get());
  TChangeLink late;
  TObject* lastSender = list.get();
  late.OnChange = [&](TObject* sender) { lastSender = sender; };
  late.SetSender(list.get());
  early.reset();
  list->Clear();  // must not reach the destroyed link
  EXPECT_EQ(lastSender, list.get());
  list.reset();
  EXPECT_EQ(late.Sender(), nullptr);
  EXPECT_EQ(lastSender, nullptr);
}

}  // namespace
}  // namespace mirto
