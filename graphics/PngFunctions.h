#pragma once

// Effects and conversions over PNG images: the PNG button shows its glyph
// brighter when hot (gamma), paler or grey when disabled (blend, greyscale),
// and the PNG image list turns the bitmaps and icons it is given into PNG
// images with transparency. The routines change the image they are given (or
// the destination) in place and keep no state.

#include <stdexcept>

#include "platform/drawing/Graphic.h"
#include "platform/drawing/PngImage.h"
#include "platform/drawing/Types.h"

namespace mirto {

class TBitmap;
class TCanvas;

enum class TPngOption { pngBlendOnDisabled, pngGrayscaleOnDisabled };
using enum TPngOption;
using TPngOptions = TSet<TPngOption>;

// The PNG image class under the name layouts use for it.
using TPNGObject = TPngImage;

// A broken precondition of a routine (a conversion given no destination:
// "Dest is nil!"). It is a programming error, raised in every build.
class EAssertionFailed : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Remaps every colour sample through (s / 255) ^ (1 / gamma) * 255; gamma above 1
// brightens, below 1 darkens, values under 0.1 count as 0.1. Alpha is kept.
// Returns false, changing nothing, for gamma 1 (or not a number) and for an
// empty or missing image. Grey images have their grey remapped, palette
// images their palette; an image with a single transparent colour first gets
// an alpha channel so that exactly its transparent pixels stay transparent.
bool PngApplyGamma(TPngImage* png, float gamma);

// Makes the image translucent: alpha is scaled by (amount + 1) / 256 (255
// keeps it, 127 halves it); pixels of a single transparent colour become
// fully transparent. Grey and palette images become RGB with alpha, their
// opaque pixels taking alpha amount; RGB images get an alpha channel.
void PngApplyBlend(TPngImage* png, std::uint8_t amount);

// Mixes every colour toward its luminance, fully at amount 255. Grey images
// stay as they are; palette images have their palette converted.
void PngApplyGrayscale(TPngImage* png, std::uint8_t amount);

// Draws the image into rect, or a copy of it with the effects of options:
// blend (127) first, then greyscale (255). The image itself never changes.
void DrawPngWithEffects(const TPngImage* png, TCanvas& canvas, const TRect& rect,
                        TPngOptions options);

// Raises EPngError when a picture of this size cannot become a PNG image:
// more than TPngImage::kMaxSide (8,192) pixels a side or TPngImage::kMaxPixels
// in all.
void RequirePngSize(int width, int height);

// The conversions below raise EAssertionFailed("Dest is nil!") without a
// destination. A missing source leaves dest empty. A source larger than a
// PNG image can be (RequirePngSize) is refused with EPngError before any
// work, and dest is left as it was.

// dest becomes source (a PNG image, bitmap or icon) with alpha where source
// is transparent: a transparent bitmap's transparent colour, an icon's mask
// or alpha. Other kinds of picture give a white image of source's size.
void PngFromGraphic(const TGraphic* source, TPngImage* dest);

// dest becomes color with alpha taken from the red byte of mask's pixels
// (255 minus it with inverseMask). Without a mask, or outside it, pixels are
// opaque.
void PngFromBitmapMask(const TBitmap* color, const TBitmap* mask, TPngImage* dest,
                       bool inverseMask);

// dest becomes color, transparent exactly where color's pixel equals
// transparentColor.
void PngFromBitmapTransparent(const TBitmap* color, TColor transparentColor, TPngImage* dest);

}  // namespace mirto
