#pragma once

// What the robustness test and the fuzz target do with one PNG file: load
// it and, when it decodes, put the image through every effect, drawing (on
// 24- and 32-bit bitmaps, cut by the edges, stretched, through an image
// list) and saving. Header only: it uses the graphics library, which the
// test support library does not link.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "graphics/PngFunctions.h"
#include "graphics/PngImageList.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/PngImage.h"

namespace mirto::testing {

// Returns whether the file decoded. A broken promise of the image class
// (a refused load that leaves pixels, an effect that resizes the image, a
// saved image that does not load back alike) is reported through `fail`.
inline bool PngWorkout(std::span<const std::uint8_t> data,
                       const std::function<void(const char*)>& fail) {
  TPngImage png;
  try {
    png.LoadFromBytes(data);
  } catch (const EPngError& e) {
    if (!png.Empty()) fail("a refused load left an image behind");
    if (*e.what() == '\0') fail("a refusal without a message");
    return false;
  }
  if (png.Empty()) fail("a load without a refusal gave no image");
  TBitmap narrow, wide;
  narrow.SetPixelFormat(pf24bit);
  narrow.SetSize(12, 8);
  wide.SetPixelFormat(pf32bit);
  wide.SetSize(12, 8);
  for (int effect = 0; effect < 7; ++effect) {
    TPngImage copy;
    copy.Assign(&png);
    switch (effect) {
      case 0:
        PngApplyGamma(&copy, 1.7f);
        break;
      case 1:
        PngApplyGamma(&copy, 0.05f);
        break;
      case 2:
        PngApplyBlend(&copy, 127);
        break;
      case 3:
        PngApplyBlend(&copy, 0);
        break;
      case 4:
        PngApplyGrayscale(&copy, 255);
        break;
      case 5:
        PngApplyGrayscale(&copy, 90);
        break;
      default:
        copy.CreateAlpha();
        break;
    }
    if (copy.Width() != png.Width() || copy.Height() != png.Height())
      fail("an effect changed the image's size");
    narrow.Canvas().Draw(-2, -1, copy);
    wide.Canvas().StretchDraw({1, 1, 11, 7}, copy);
    std::vector<std::uint8_t> saved;
    TPngImage again;
    try {
      saved = copy.SaveToBytes();
      again.LoadFromBytes(saved);
    } catch (const EPngError&) {
      fail("an image does not save and load back");
      continue;
    }
    if (again.Width() != copy.Width() || again.Height() != copy.Height() ||
        again.Header().ColorType != copy.Header().ColorType)
      fail("a saved image loads back different");
  }
  for (const TPngOptions options :
       {TPngOptions{}, TPngOptions{pngBlendOnDisabled}, TPngOptions{pngGrayscaleOnDisabled},
        TPngOptions{pngBlendOnDisabled, pngGrayscaleOnDisabled}}) {
    DrawPngWithEffects(&png, wide.Canvas(), {-3, 2, 9, 14}, options);
  }
  TPngImageList list;
  list.SetWidth(8);
  list.SetHeight(8);
  list.SetPngOptions({pngBlendOnDisabled, pngGrayscaleOnDisabled});
  list.SetEnabledImages(false);
  if (list.AddPng(&png) != 0) fail("an image list refused a decoded image");
  list.Draw(&narrow.Canvas(), 2, 2, 0, false);
  return true;
}

}  // namespace mirto::testing
