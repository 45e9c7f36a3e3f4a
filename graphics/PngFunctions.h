#pragma once

// Effects and conversions over PNG images: the PNG button shows its glyph
// brighter when hot (gamma), paler or grey when disabled (blend, greyscale),
// and the PNG image list turns the bitmaps and icons it is given into PNG
// images with transparency. The routines change the image they are given (or
// the destination) in place and keep no state.

#include <stdexcept>

#include "platform/PngImage.h"
#include "platform/Types.h"

namespace mirto {

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

}  // namespace mirto
