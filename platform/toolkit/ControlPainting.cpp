// A control's picture: each paint of its widget makes an offscreen picture
// of the part to be painted at the screen's whole factor, fills it with the
// parent's painting or the control's colour, lets the control paint on its
// canvas bound to it and puts the picture on the screen in one piece.

#include <QPainter>
#include <QWidget>

#include "platform/drawing/Canvas_p.h"
#include "platform/toolkit/ControlAccess_p.h"
#include "platform/toolkit/PaintFactor.h"

namespace mirto {

namespace {

int g_paintsInProgress = 0;

}  // namespace

int& PaintsInProgress() { return g_paintsInProgress; }

void ControlAccess::PaintLayer(TControl& control, QImage& buffer, TPoint origin, const TRect& area,
                               int depth) {
  TWinControl* parent = control.parent_;
  if (control.ShowsParentBackground() && parent != nullptr && !parent->painting_ && depth < 64) {
    PaintLayer(*parent, buffer, Point(origin.X + control.left_, origin.Y + control.top_), area,
               depth + 1);
  } else {
    QPainter fill(&buffer);
    fill.fillRect(ToQRect(area), ToQColor(control.color_));
  }
  TCanvas& canvas = control.canvas_;
  struct Binding {
    TControl& control;
    ~Binding() {
      control.painting_ = false;
      --g_paintsInProgress;
      TCanvasAccess::Bind(control.canvas_, nullptr);
    }
  };
  TCanvasAccess::Bind(canvas, &buffer);
  ++g_paintsInProgress;
  control.painting_ = true;
  Binding binding{control};
  TCanvasAccess::SetPaintArea(canvas, area);
  canvas.ClearClipRegion();
  canvas.SetWindowOrg(origin);
  canvas.SetPenPos(Point(0, 0));
  const TPen defaultPen;
  canvas.Pen().Assign(&defaultPen);
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(control.color_);
  canvas.Font().Assign(&control.font_);
  control.PaintWindow(canvas);
}

// The picture covers the part of the control to be painted, with the
// screen's whole factor of pixels per logical pixel; the toolkit scales it
// by whatever fraction of the screen's ratio is left.
void ControlAccess::Paint(TControl& control, QWidget& widget, const QRect& rect) {
  const QRect part = rect.intersected(QRect(0, 0, control.width_, control.height_));
  if (part.isEmpty()) return;
  int factor = PaintFactorFor(widget.devicePixelRatioF());
  // A picture too large for its factor falls back to logical pixels.
  constexpr long long kMaxSide = 1LL << 15;
  if (1LL * part.width() * factor > kMaxSide || 1LL * part.height() * factor > kMaxSide) factor = 1;
  QImage buffer(part.width() * factor, part.height() * factor, QImage::Format_ARGB32_Premultiplied);
  buffer.setDevicePixelRatio(factor);
  buffer.fill(Qt::transparent);
  PaintLayer(control, buffer, Point(part.left(), part.top()),
             Rect(0, 0, part.width(), part.height()), 0);
  QPainter painter(&widget);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(QRectF(part), buffer, QRectF(buffer.rect()));
}

}  // namespace mirto
