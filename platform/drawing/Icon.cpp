#include "platform/drawing/Icon.h"

#include <QPixmap>
#include <algorithm>
#include <cstring>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/EmbeddedPictures.h"
#include "platform/drawing/PixelSurface_p.h"

namespace mirto {

struct TIcon::Image {
  QImage pixels;  // Format_ARGB32 or null; the largest size
  // Every size, smallest first, when the icon holds more than one.
  std::vector<QImage> sizes;
};

TIcon::TIcon() : image_(std::make_unique<Image>()) { SetTransparent(true); }

TIcon::~TIcon() = default;

int TIcon::Width() const { return image_->pixels.width(); }
int TIcon::Height() const { return image_->pixels.height(); }

bool TIcon::LoadFromData(const QByteArray& data) {
  QImage loaded;
  if (data.isEmpty() || !loaded.loadFromData(data)) {
    TIconAccess::SetImage(*this, QImage());
    return false;
  }
  TIconAccess::SetImage(*this, loaded);
  return true;
}

namespace {

// Embedded pictures are PNG files, read by the program's own decoder: the
// toolkit's reader would first load each of its image format plugins to ask
// whether it knows the data.
QImage EmbeddedImage(const QString& name) {
  TPngImage png;
  if (!png.LoadFromResourceName(name)) return {};
  return TPngImageAccess::Picture(png);
}

}  // namespace

bool TIcon::LoadFromResourceName(const QString& name) {
  std::vector<QImage> images;
  for (int size : EmbeddedIconSizes(name)) {
    QImage image = EmbeddedImage(name + QLatin1Char('-') + QString::number(size));
    if (!image.isNull()) images.push_back(std::move(image));
  }
  if (images.empty()) images.push_back(EmbeddedImage(name));
  if (images.front().isNull()) {
    TIconAccess::SetImage(*this, QImage());
    return false;
  }
  TIconAccess::SetImages(*this, images);
  return true;
}

int TIcon::SizeCount() const {
  if (image_->pixels.isNull()) return 0;
  return std::max<int>(1, static_cast<int>(image_->sizes.size()));
}

void TIcon::GetColorBitmap(TBitmap& dest) const {
  const QImage& pixels = image_->pixels;
  dest.SetPixelFormat(pf32bit);
  dest.SetSize(pixels.width(), pixels.height());
  const auto bytes = static_cast<std::size_t>(pixels.width()) * 4;
  for (int y = 0; y < pixels.height(); ++y)
    std::memcpy(dest.ScanLine(y), pixels.constScanLine(y), bytes);
}

void TIcon::GetMaskBitmap(TBitmap& dest) const {
  const QImage& pixels = image_->pixels;
  dest.SetPixelFormat(pf24bit);
  dest.SetSize(pixels.width(), pixels.height());
  for (int y = 0; y < pixels.height(); ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    std::uint8_t* to = dest.ScanLine(y);
    for (int x = 0; x < pixels.width(); ++x)
      std::memset(to + 3 * x, qAlpha(from[x]) == 0 ? 0xFF : 0x00, 3);
  }
}

void TIcon::Assign(const TPersistent* source) {
  if (const auto* icon = dynamic_cast<const TIcon*>(source)) {
    if (icon != this) {
      image_->pixels = icon->image_->pixels;
      image_->sizes = icon->image_->sizes;
      Changed();
    }
    return;
  }
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
    QImage pixels = TBitmapAccess::Image(*bitmap).convertToFormat(QImage::Format_ARGB32);
    if (bitmap->PixelFormat() == pf24bit && bitmap->Transparent() && !pixels.isNull()) {
      const TColor key = ColorToRGB(bitmap->TransparentColor());
      const QRgb rgb = qRgb(GetRValue(key), GetGValue(key), GetBValue(key)) & 0xFFFFFF;
      for (int y = 0; y < pixels.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
          if ((row[x] & 0xFFFFFF) == rgb) row[x] = 0;
      }
    }
    TIconAccess::SetImage(*this, pixels);
    return;
  }
  TGraphic::Assign(source);
}

void TIcon::Draw(TCanvas& canvas, const TRect& rect) const {
  // The smallest drawing that covers the target's own pixels, else the
  // largest.
  const long long factor = canvas.DeviceFactor();
  const QImage* best = &image_->pixels;
  for (const QImage& size : image_->sizes) {
    if (1LL * size.width() >= (1LL * rect.Right - rect.Left) * factor &&
        1LL * size.height() >= (1LL * rect.Bottom - rect.Top) * factor) {
      best = &size;
      break;
    }
  }
  const QImage& pixels = *best;
  if (pixels.isNull()) return;
  TCanvasAccess::DrawImage(canvas, rect, pixels, pixels.rect());
}

const QImage& TIconAccess::Image(const TIcon& icon) { return icon.image_->pixels; }

void TIconAccess::SetImage(TIcon& icon, const QImage& image) {
  icon.image_->pixels = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32);
  icon.image_->sizes.clear();
  icon.Changed();
}

void TIconAccess::SetImages(TIcon& icon, const std::vector<QImage>& images) {
  std::vector<QImage> sizes;
  for (const QImage& image : images)
    if (!image.isNull()) sizes.push_back(image.convertToFormat(QImage::Format_ARGB32));
  std::stable_sort(sizes.begin(), sizes.end(), [](const QImage& a, const QImage& b) {
    return 1LL * a.width() * a.height() < 1LL * b.width() * b.height();
  });
  icon.image_->pixels = sizes.empty() ? QImage() : sizes.back();
  if (sizes.size() < 2) sizes.clear();
  icon.image_->sizes = std::move(sizes);
  icon.Changed();
}

QIcon TIconAccess::NativeIcon(const TIcon& icon) {
  // The pixmaps share the icon's pixels: converted for painting, every size
  // would be a copy, and the window system takes them in the icon's own
  // format anyway.
  const auto pixmap = [](const QImage& image) {
    return QPixmap::fromImage(image, Qt::NoFormatConversion);
  };
  QIcon native;
  if (icon.image_->sizes.empty()) {
    if (!icon.image_->pixels.isNull()) native.addPixmap(pixmap(icon.image_->pixels));
    return native;
  }
  for (const QImage& size : icon.image_->sizes) native.addPixmap(pixmap(size));
  return native;
}

}  // namespace mirto
