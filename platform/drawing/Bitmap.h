#pragma once

// An offscreen picture with directly addressable pixel rows and a canvas to
// paint on it.

#include <cstdint>
#include <memory>

#include "platform/drawing/Graphic.h"

namespace mirto {

// pf24bit rows hold 3 bytes per pixel (B, G, R); pf32bit rows 4 (B, G, R, A).
// The alpha byte of a 32-bit bitmap is kept but ignored when it is drawn.
enum class TPixelFormat { pf24bit, pf32bit };
using enum TPixelFormat;

// tmAuto takes the transparent colour from the bottom-left pixel; tmFixed
// uses the colour set with SetTransparentColor.
enum class TTransparentMode { tmAuto, tmFixed };
using enum TTransparentMode;

class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;

  int Width() const override;
  int Height() const override;
  // Pictures above this many bytes of pixels are refused.
  static constexpr long long kMaxBytes = 1LL << 30;

  // Resizing keeps the overlapping top-left part of the picture; new pixels
  // are white. Negative sizes count as 0; a size above kMaxBytes leaves the
  // bitmap empty.
  void SetWidth(int value);
  void SetHeight(int value);
  void SetSize(int width, int height);

  TPixelFormat PixelFormat() const { return pixelFormat_; }
  // Converts the pixels; a 24-bit picture becomes opaque 32-bit.
  void SetPixelFormat(TPixelFormat value);
  int BytesPerPixel() const { return pixelFormat_ == pf24bit ? 3 : 4; }

  // Pixel row `row` (0 is the top row), or nullptr for a row outside the
  // picture. Rows stay valid until the bitmap is resized or reformatted.
  std::uint8_t* ScanLine(int row);
  const std::uint8_t* ScanLine(int row) const;

  // The canvas painting on this bitmap (created with it, owned by it).
  TCanvas& Canvas();

  // tmAuto: the bottom-left pixel (clBlack for an empty bitmap);
  // tmFixed: the colour last set.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor value) { Change(transparentColor_, value); }
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode value) { Change(transparentMode_, value); }

  // Copies another bitmap: pixels, pixel format and transparency settings.
  void Assign(const TPersistent* source) override;

  void Draw(TCanvas& canvas, const TRect& rect) const override;

 private:
  friend class TBitmapAccess;
  struct Image;

  void Resize(int width, int height);

  std::unique_ptr<Image> image_;
  std::unique_ptr<TCanvas> canvas_;
  TPixelFormat pixelFormat_ = pf24bit;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = tmAuto;
};

}  // namespace mirto
