#include "platform/drawing/Bitmap.h"

#include <algorithm>
#include <cstring>

#include "platform/drawing/Canvas.h"
#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/PixelSurface_p.h"

namespace mirto {

struct TBitmap::Image {
  QImage pixels;
};

namespace {

QImage::Format FormatOf(TPixelFormat format) {
  return format == pf24bit ? QImage::Format_BGR888 : QImage::Format_ARGB32;
}

}  // namespace

TBitmap::TBitmap() : image_(std::make_unique<Image>()), canvas_(std::make_unique<TCanvas>()) {
  TCanvasAccess::Bind(*canvas_, &image_->pixels);
}

TBitmap::~TBitmap() { TCanvasAccess::Bind(*canvas_, nullptr); }

int TBitmap::Width() const { return image_->pixels.width(); }
int TBitmap::Height() const { return image_->pixels.height(); }

void TBitmap::SetWidth(int value) { SetSize(value, Height()); }
void TBitmap::SetHeight(int value) { SetSize(Width(), value); }

void TBitmap::SetSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == Width() && height == Height()) return;
  Resize(width, height);
  Changed();
}

void TBitmap::Resize(int width, int height) {
  TCanvasAccess::Flush(*canvas_);
  QImage& old = image_->pixels;
  QImage resized;
  if (width > 0 && height > 0) {
    // An absurd size is refused before any allocation is tried: the bitmap
    // becomes empty rather than half-made.
    const long long size = 1LL * width * height * BytesPerPixel();
    if (size > kMaxBytes) {
      old = QImage();
      return;
    }
    resized = QImage(width, height, FormatOf(pixelFormat_));
    if (resized.isNull()) {
      old = QImage();
      return;
    }
    resized.fill(0xFFFFFFFFu);
    const int rows = std::min(height, old.height());
    const auto bytes = static_cast<std::size_t>(std::min(width, old.width()) * BytesPerPixel());
    for (int y = 0; y < rows; ++y) std::memcpy(resized.scanLine(y), old.constScanLine(y), bytes);
  }
  old = std::move(resized);
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
  if (pixelFormat_ == value) return;
  TCanvasAccess::Flush(*canvas_);
  pixelFormat_ = value;
  QImage& pixels = image_->pixels;
  if (!pixels.isNull()) {
    // Through an opaque 32-bit copy so that a 24-bit picture gets alpha 255
    // and a 32-bit one drops its alpha byte.
    pixels = pixels.convertToFormat(value == pf24bit ? QImage::Format_RGB32 : QImage::Format_ARGB32)
                 .convertToFormat(FormatOf(value));
  }
  Changed();
}

std::uint8_t* TBitmap::ScanLine(int row) {
  QImage& pixels = TBitmapAccess::Image(*this);
  if (row < 0 || row >= pixels.height()) return nullptr;
  return pixels.scanLine(row);
}

const std::uint8_t* TBitmap::ScanLine(int row) const {
  const QImage& pixels = TBitmapAccess::Image(*this);
  if (row < 0 || row >= pixels.height()) return nullptr;
  return pixels.constScanLine(row);
}

TCanvas& TBitmap::Canvas() { return *canvas_; }

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
  const QImage& pixels = TBitmapAccess::Image(*this);
  if (pixels.isNull()) return clBlack;
  const std::uint32_t rgb = ReadRgb(pixels, 0, pixels.height() - 1);
  return RGB(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
             static_cast<std::uint8_t>(rgb));
}

void TBitmap::Assign(const TPersistent* source) {
  const auto* bitmap = dynamic_cast<const TBitmap*>(source);
  if (!bitmap) {
    TGraphic::Assign(source);
    return;
  }
  if (bitmap == this) return;
  TCanvasAccess::Flush(*canvas_);
  image_->pixels = TBitmapAccess::Image(*bitmap).copy();
  pixelFormat_ = bitmap->pixelFormat_;
  transparentColor_ = bitmap->transparentColor_;
  transparentMode_ = bitmap->transparentMode_;
  SetTransparent(bitmap->Transparent());
  Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) const {
  const QImage& pixels = TBitmapAccess::Image(*this);
  if (pixels.isNull()) return;
  if (!Transparent()) {
    TCanvasAccess::Blit(canvas, rect, pixels, TRect{0, 0, pixels.width(), pixels.height()});
    return;
  }
  const TColor key = ColorToRGB(TransparentColor());
  const QRgb transparent = (static_cast<QRgb>(GetRValue(key)) << 16) |
                           (static_cast<QRgb>(GetGValue(key)) << 8) | GetBValue(key);
  TCanvasAccess::Blit(canvas, rect, pixels, TRect{0, 0, pixels.width(), pixels.height()},
                      &transparent);
}

QImage& TBitmapAccess::Image(TBitmap& bitmap) {
  TCanvasAccess::Flush(*bitmap.canvas_);
  return bitmap.image_->pixels;
}

const QImage& TBitmapAccess::Image(const TBitmap& bitmap) {
  TCanvasAccess::Flush(*bitmap.canvas_);
  return bitmap.image_->pixels;
}

}  // namespace mirto
