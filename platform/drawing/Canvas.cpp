// The drawing surface's binding: a canvas bound to an image it does not
// own, its clip, the platform-internal door (TCanvasAccess) and the state
// guard. The drawing itself is in CanvasShapes.cpp, CanvasText.cpp and
// CanvasPictures.cpp.

#include "platform/drawing/Canvas.h"

#include <cmath>

#include "platform/drawing/CanvasTarget_p.h"
#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/RowBlit_p.h"

namespace mirto {

TCanvas::TCanvas() : target_(std::make_unique<Target>()) {}

TCanvas::~TCanvas() { target_->EndPainting(); }

bool TCanvas::HandleAllocated() const { return target_->image != nullptr; }

int TCanvas::DeviceFactor() const { return target_->factor; }

TRect TCanvas::DeviceClip() const {
  const QImage* image = target_->image;
  if (!image || image->isNull()) return {};
  TRect clip{0, 0, image->width() / target_->factor, image->height() / target_->factor};
  if (target_->hasPaintArea) clip = Intersection(clip, target_->paintArea);
  if (!clipRegion_.IsNull()) clip = Intersection(clip, clipRegion_.Bounds());
  return clip;
}

TRect TCanvas::ClipRect() const {
  const TRect clip = DeviceClip();
  if (clip.IsEmpty()) return {};
  return Offset(clip, windowOrg_.X, windowOrg_.Y);
}

void TCanvas::Assign(const TPersistent* source) {
  const auto* canvas = dynamic_cast<const TCanvas*>(source);
  if (!canvas) {
    TPersistent::Assign(source);
    return;
  }
  pen_.Assign(&canvas->pen_);
  brush_.Assign(&canvas->brush_);
  font_.Assign(&canvas->font_);
}

// --- painter access ---------------------------------------------------------

QPainter* DevicePainter(QPainter& painter, QImage* image, const TRect& clip) {
  if (!image || image->isNull() || clip.IsEmpty()) return nullptr;
  if (!painter.isActive()) {
    if (!painter.begin(image)) return nullptr;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
  }
  painter.resetTransform();
  painter.setClipRect(ToQRect(clip));
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setOpacity(1.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::NoBrush);
  painter.setLayoutDirection(Qt::LeftToRight);
  return &painter;
}

void TCanvasAccess::Bind(TCanvas& canvas, QImage* image) {
  canvas.target_->EndPainting();
  canvas.target_->image = image;
  canvas.target_->factor = image ? DeviceFactorOf(*image) : 1;
}

int TCanvasAccess::DeviceFactorOf(const QImage& image) {
  const double ratio = image.devicePixelRatio();
  return ratio >= 1.5 ? static_cast<int>(std::lround(ratio)) : 1;
}

QImage* TCanvasAccess::Image(TCanvas& canvas) {
  canvas.target_->EndPainting();
  return canvas.target_->image;
}

const QImage* TCanvasAccess::Image(const TCanvas& canvas) {
  canvas.target_->EndPainting();
  return canvas.target_->image;
}

void TCanvasAccess::Flush(const TCanvas& canvas) { canvas.target_->EndPainting(); }

void TCanvasAccess::SetPaintArea(TCanvas& canvas, const TRect& deviceRect) {
  canvas.target_->hasPaintArea = true;
  canvas.target_->paintArea = deviceRect;
}

void TCanvasAccess::ClearPaintArea(TCanvas& canvas) { canvas.target_->hasPaintArea = false; }

TRect TCanvasAccess::DeviceClip(const TCanvas& canvas) { return canvas.DeviceClip(); }

QPainter* TCanvasAccess::Painter(TCanvas& canvas) {
  QPainter* painter =
      DevicePainter(canvas.target_->painter, canvas.target_->image, canvas.DeviceClip());
  if (painter) painter->translate(-1.0 * canvas.windowOrg_.X, -1.0 * canvas.windowOrg_.Y);
  return painter;
}

void TCanvasAccess::DrawImage(TCanvas& canvas, const TRect& dest, const QImage& image,
                              const QRect& sourceRect) {
  constexpr long long kMaxExtent = 1LL << 24;
  if (dest.IsEmpty() || image.isNull() || sourceRect.isEmpty() || Width64(dest) > kMaxExtent ||
      Height64(dest) > kMaxExtent)
    return;
  const TRect device = ToDevice(dest, canvas.windowOrg_);
  QPainter* painter =
      DevicePainter(canvas.target_->painter, canvas.target_->image, canvas.DeviceClip());
  if (!painter) return;
  if (&image == canvas.target_->image) {
    const QImage copy = image.copy();
    painter->drawImage(ToQRect(device), copy, sourceRect);
  } else {
    painter->drawImage(ToQRect(device), image, sourceRect);
  }
}

void TCanvasAccess::Blit(TCanvas& canvas, const TRect& dest, const QImage& source,
                         const TRect& sourceRect, const QRgb* transparent) {
  const TRect device = ToDevice(dest, canvas.windowOrg_);
  if (device.IsEmpty() || sourceRect.IsEmpty() || source.isNull()) return;
  const TRect clip = Intersection(canvas.DeviceClip(), device);
  QImage* image = canvas.target_->Bits();
  if (!image || clip.IsEmpty()) return;
  // Reading and writing the same pixels needs a snapshot of the source.
  const QImage snapshot = (&source == image) ? source.copy() : QImage();
  const QImage& from = (&source == image) ? snapshot : source;
  BlitRows(*image, clip, device, from, sourceRect, transparent, canvas.target_->factor);
}

// --- state guard ----------------------------------------------------------

TCanvasStateGuard::TCanvasStateGuard(TCanvas& canvas)
    : canvas_(canvas),
      penPos_(canvas.PenPos()),
      windowOrg_(canvas.WindowOrg()),
      clipRegion_(canvas.ClipRegion()) {
  pen_.Assign(&canvas.Pen());
  brush_.Assign(&canvas.Brush());
  font_.Assign(&canvas.Font());
}

TCanvasStateGuard::~TCanvasStateGuard() {
  canvas_.Pen().Assign(&pen_);
  canvas_.Brush().Assign(&brush_);
  canvas_.Font().Assign(&font_);
  canvas_.SetPenPos(penPos_);
  canvas_.SetWindowOrg(windowOrg_);
  canvas_.SelectClipRegion(clipRegion_);
}

}  // namespace mirto
