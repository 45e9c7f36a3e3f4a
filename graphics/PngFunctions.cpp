#include "graphics/PngFunctions.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Icon.h"

namespace mirto {

namespace {

bool HasRgbRows(const TPngImage& png) {
  const int type = png.Header().ColorType;
  return type == COLOR_RGB || type == COLOR_RGBALPHA;
}

// Effects that change colours would move pixels off a single transparent
// colour (or onto it); an alpha channel keeps exactly the transparent ones.
void TurnTransparentColorIntoAlpha(TPngImage& png) {
  if (!png.HasAlphaChannel() && png.Header().ColorType != COLOR_PALETTE &&
      png.TransparentColor() != clNone) {
    png.CreateAlpha();
  }
}

template <class Map>
void ForEachColorSample(TPngImage& png, Map map) {
  if (png.Header().ColorType == COLOR_PALETTE) {
    std::vector<TPngPaletteEntry> palette = png.Palette();
    for (TPngPaletteEntry& e : palette) {
      e.Red = map(e.Red);
      e.Green = map(e.Green);
      e.Blue = map(e.Blue);
    }
    png.SetPalette(std::move(palette));
    return;
  }
  const std::size_t rowBytes = std::size_t(png.Width()) * png.BytesPerPixel();
  for (int y = 0; y < png.Height(); ++y) {
    std::uint8_t* row = png.ScanLine(y);
    for (std::size_t i = 0; i < rowBytes; ++i) row[i] = map(row[i]);
  }
}

void RequireDest(const TPngImage* dest) {
  if (dest == nullptr) throw EAssertionFailed("Dest is nil!");
}

void RequireSourceSize(const TGraphic* source) {
  if (source != nullptr) RequirePngSize(source->Width(), source->Height());
}

// The RGB value pixels are compared with; clNone matches no pixel.
TColor KeyOf(TColor transparentColor) {
  return transparentColor == clNone ? -1 : ColorToRGB(transparentColor) & 0xFFFFFF;
}

TColor BitmapPixel(const TBitmap& bitmap, int x, int y) {
  const std::uint8_t* p = bitmap.ScanLine(y) + x * bitmap.BytesPerPixel();
  return RGB(p[2], p[1], p[0]);
}

// Gives dest the colours of color (as RGB) and an alpha channel whose bytes
// alphaAt(x, y) decides. The work happens on a copy, so dest is left as it
// was if a step fails.
template <class AlphaAt>
void ColorWithAlpha(const TBitmap* color, TPngImage* dest, AlphaAt alphaAt) {
  RequireDest(dest);
  RequireSourceSize(color);
  if (color == nullptr || color->Empty()) {
    dest->Clear();
    return;
  }
  TPngImage result;
  result.Assign(color);
  result.CreateAlpha();
  for (int y = 0; y < result.Height(); ++y) {
    std::uint8_t* alpha = result.AlphaScanline(y);
    for (int x = 0; x < result.Width(); ++x) alpha[x] = alphaAt(x, y);
  }
  dest->Assign(&result);
}

}  // namespace

void RequirePngSize(int width, int height) {
  if (width <= TPngImage::kMaxSide && height <= TPngImage::kMaxSide &&
      std::int64_t{width} * height <= TPngImage::kMaxPixels)
    return;
  throw EPngError("Picture too large for a PNG image: " + std::to_string(width) + " x " +
                  std::to_string(height) + " (at most " + std::to_string(TPngImage::kMaxSide) +
                  " a side and " + std::to_string(TPngImage::kMaxPixels) + " pixels)");
}

namespace {

bool ApplyGamma(TPngImage* png, float gamma) {
  if (png == nullptr || png->Empty() || gamma == 1.0f || std::isnan(gamma)) return false;
  const float g = gamma < 0.1f ? 0.1f : gamma;
  std::array<std::uint8_t, 256> table;
  for (int i = 0; i < 256; ++i) {
    const double value = std::pow(i / 255.0, 1.0 / double(g)) * 255.0;
    table[i] = static_cast<std::uint8_t>(Round(std::min(value, 255.0)));
  }
  TurnTransparentColorIntoAlpha(*png);
  ForEachColorSample(*png, [&](std::uint8_t s) { return table[s]; });
  return true;
}

void ApplyBlend(TPngImage* png, std::uint8_t amount) {
  if (png == nullptr || png->Empty()) return;
  const bool singleColor = png->TransparencyMode() == ptmBit;
  const TColor transparent = png->TransparentColor();
  std::array<std::uint8_t, 256> scaled;
  for (int a = 0; a < 256; ++a) {
    scaled[a] = static_cast<std::uint8_t>(Round(a / 256.0 * (amount + 1)));
  }

  const int type = png->Header().ColorType;
  if (type == COLOR_GRAYSCALE || type == COLOR_PALETTE) {
    // Palette entries with graded alpha keep their gradation (scaled like an
    // alpha channel) instead of all turning into amount.
    const bool gradedPalette = type == COLOR_PALETTE && png->TransparencyMode() == ptmPartial;
    TPngImage blended;
    blended.CreateBlank(COLOR_RGBALPHA, png->Width(), png->Height());
    for (int y = 0; y < png->Height(); ++y) {
      std::uint8_t* row = blended.ScanLine(y);
      std::uint8_t* alpha = blended.AlphaScanline(y);
      for (int x = 0; x < png->Width(); ++x) {
        const TColor color = png->Pixel(x, y);
        row[x * 3] = GetBValue(color);
        row[x * 3 + 1] = GetGValue(color);
        row[x * 3 + 2] = GetRValue(color);
        // A palette image's transparency belongs to its entry, not its
        // colour: another entry may hold the same colour and be opaque.
        const bool transparentPixel =
            singleColor &&
            (type == COLOR_PALETTE ? png->PixelAlpha(x, y) == 0 : color == transparent);
        if (transparentPixel) {
          alpha[x] = 0;
        } else if (gradedPalette) {
          alpha[x] = scaled[png->PixelAlpha(x, y)];
        } else {
          alpha[x] = amount;
        }
      }
    }
    for (const TPngChunk& chunk : png->Chunks()) {
      if (chunk.Name != "bKGD" && chunk.Name != "hIST" && chunk.Name != "sBIT") {
        blended.AddChunk(chunk);
      }
    }
    png->Assign(&blended);
    return;
  }
  if (type == COLOR_RGB) png->CreateAlpha();  // transparent colour -> 0, the rest 255
  for (int y = 0; y < png->Height(); ++y) {
    std::uint8_t* alpha = png->AlphaScanline(y);
    for (int x = 0; x < png->Width(); ++x) alpha[x] = scaled[alpha[x]];
  }
}

void ApplyGrayscale(TPngImage* png, std::uint8_t amount) {
  if (png == nullptr || png->Empty()) return;
  const int type = png->Header().ColorType;
  if (type == COLOR_GRAYSCALE || type == COLOR_GRAYSCALEALPHA) return;
  const unsigned keep = 255u - amount;
  auto mix = [&](std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) {
    const unsigned l = (77u * r + 150u * g + 29u * b) >> 8;
    r = static_cast<std::uint8_t>((r * keep + l * amount + 128u) >> 8);
    g = static_cast<std::uint8_t>((g * keep + l * amount + 128u) >> 8);
    b = static_cast<std::uint8_t>((b * keep + l * amount + 128u) >> 8);
  };
  if (type == COLOR_PALETTE) {
    std::vector<TPngPaletteEntry> palette = png->Palette();
    for (TPngPaletteEntry& e : palette) mix(e.Red, e.Green, e.Blue);
    png->SetPalette(std::move(palette));
    return;
  }
  TurnTransparentColorIntoAlpha(*png);
  if (!HasRgbRows(*png)) return;
  for (int y = 0; y < png->Height(); ++y) {
    std::uint8_t* row = png->ScanLine(y);
    for (int x = 0; x < png->Width(); ++x) mix(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
  }
}

// Applies an effect to the image and to its detail image alike, so that a
// hot or disabled glyph keeps its drawing for high-resolution screens.
template <typename Effect>
bool WithDetail(TPngImage* png, Effect effect) {
  const std::shared_ptr<const TPngImage> detail = png ? png->DetailImage() : nullptr;
  const bool changed = effect(png);
  if (detail && changed) {
    auto copy = std::make_shared<TPngImage>();
    copy->Assign(detail.get());
    effect(copy.get());
    png->SetDetailImage(std::move(copy));
  }
  return changed;
}

}  // namespace

bool PngApplyGamma(TPngImage* png, float gamma) {
  return WithDetail(png, [gamma](TPngImage* p) { return ApplyGamma(p, gamma); });
}

void PngApplyBlend(TPngImage* png, std::uint8_t amount) {
  WithDetail(png, [amount](TPngImage* p) {
    ApplyBlend(p, amount);
    return true;
  });
}

void PngApplyGrayscale(TPngImage* png, std::uint8_t amount) {
  WithDetail(png, [amount](TPngImage* p) {
    ApplyGrayscale(p, amount);
    return true;
  });
}

void DrawPngWithEffects(const TPngImage* png, TCanvas& canvas, const TRect& rect,
                        TPngOptions options) {
  if (png == nullptr || png->Empty()) return;
  if (options.Empty()) {
    png->Draw(canvas, rect);
    return;
  }
  TPngImage copy;
  copy.Assign(png);
  if (options.Contains(pngBlendOnDisabled)) PngApplyBlend(&copy, 127);
  if (options.Contains(pngGrayscaleOnDisabled)) PngApplyGrayscale(&copy, 255);
  copy.Draw(canvas, rect);
}

void PngFromGraphic(const TGraphic* source, TPngImage* dest) {
  RequireDest(dest);
  RequireSourceSize(source);
  if (const auto* png = dynamic_cast<const TPngImage*>(source)) {
    dest->Assign(png);
    return;
  }
  if (source == nullptr || source->Empty()) {
    dest->Clear();
    return;
  }
  const int width = source->Width(), height = source->Height();
  std::vector<std::uint8_t> mask(std::size_t(width) * height, 255);
  TBitmap work;
  work.SetPixelFormat(pf24bit);
  work.SetSize(width, height);  // white
  bool transparencySeen = false;

  if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
    if (bitmap->Transparent()) {
      const TColor key = KeyOf(bitmap->TransparentColor());
      for (int y = 0; y < height; ++y) {
        std::uint8_t* row = work.ScanLine(y);
        for (int x = 0; x < width; ++x) {
          const TColor c = BitmapPixel(*bitmap, x, y);
          if (c == key) {
            mask[std::size_t(y) * width + x] = 0;
            transparencySeen = true;
          }
          row[x * 3] = GetBValue(c);
          row[x * 3 + 1] = GetGValue(c);
          row[x * 3 + 2] = GetRValue(c);
        }
      }
    } else {
      work.Canvas().Draw(0, 0, *bitmap);
    }
  } else if (const auto* icon = dynamic_cast<const TIcon*>(source)) {
    TBitmap colors, iconMask;
    icon->GetColorBitmap(colors);
    icon->GetMaskBitmap(iconMask);
    for (int y = 0; y < height; ++y) {
      std::uint8_t* row = work.ScanLine(y);
      const std::uint8_t* from = colors.ScanLine(y);
      for (int x = 0; x < width; ++x) {
        std::copy_n(from + x * 4, 3, row + x * 3);
        if (BitmapPixel(iconMask, x, y) != clBlack) {
          mask[std::size_t(y) * width + x] = 0;
          transparencySeen = true;
        }
      }
    }
    if (colors.PixelFormat() == pf32bit && TIcon::SupportsAlpha()) {
      transparencySeen = true;
      std::vector<std::uint8_t> alpha(mask.size());
      bool anyAlpha = false;
      for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = colors.ScanLine(y);
        for (int x = 0; x < width; ++x) {
          alpha[std::size_t(y) * width + x] = from[x * 4 + 3];
          anyAlpha = anyAlpha || from[x * 4 + 3] != 0;
        }
      }
      if (anyAlpha) mask = std::move(alpha);
    }
  }

  TPngImage result;
  result.Assign(&work);
  if (transparencySeen) {
    result.CreateAlpha();
    for (int y = 0; y < height; ++y) {
      std::copy_n(&mask[std::size_t(y) * width], width, result.AlphaScanline(y));
    }
  }
  dest->Assign(&result);
}

void PngFromBitmapMask(const TBitmap* color, const TBitmap* mask, TPngImage* dest,
                       bool inverseMask) {
  ColorWithAlpha(color, dest, [&](int x, int y) -> std::uint8_t {
    if (mask == nullptr || x >= mask->Width() || y >= mask->Height()) return 255;
    const std::uint8_t red = GetRValue(BitmapPixel(*mask, x, y));
    return inverseMask ? 255 - red : red;
  });
}

void PngFromBitmapTransparent(const TBitmap* color, TColor transparentColor, TPngImage* dest) {
  const TColor key = KeyOf(transparentColor);
  ColorWithAlpha(color, dest, [&](int x, int y) -> std::uint8_t {
    return BitmapPixel(*color, x, y) == key ? 0 : 255;
  });
}

}  // namespace mirto
