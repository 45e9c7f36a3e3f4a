// The canvas's text: measuring in the canvas font, single runs with their
// background, and DrawText's formatting (accelerator marks, line breaks,
// alignment, right-to-left reading) laid out by TextLayout.

#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/drawing/Canvas.h"
#include "platform/drawing/CanvasTarget_p.h"
#include "platform/drawing/PixelSurface_p.h"
#include "platform/drawing/TextLayout.h"

namespace mirto {

namespace {

// Where the letter at index shows in a line of text: its left and right
// edges from the line's start. Bidirectional text is reordered for display,
// so the letter need not stand where the text before it ends.
std::pair<int, int> VisualSpan(const QString& text, int index, const QFont& font,
                               bool rightToLeft) {
  QTextLayout layout(text, font);
  QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
  option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  if (!line.isValid()) return {0, 0};
  const int a = static_cast<int>(std::lround(line.cursorToX(index)));
  const int b = static_cast<int>(std::lround(line.cursorToX(index + 1)));
  return std::minmax(a, b);
}

}  // namespace

int TCanvas::TextWidth(const QString& text) const {
  return target_->Metrics(font_).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString&) const { return target_->Metrics(font_).height(); }

void TCanvas::DrawTextRun(int deviceX, int deviceY, const QString& text, int underline,
                          const TRect& deviceClip, bool rightToLeft) {
  const auto rgb = Rgb(font_.Color());
  if (!rgb || text.isEmpty()) return;
  const QFontMetrics& metrics = target_->Metrics(font_);
  // Text that cannot reach the clip is left out before any position is
  // worked out, so a run placed near the ends of int never overflows: what
  // remains starts within a line's height and a run's width of the clip.
  if (deviceY >= deviceClip.Bottom || 1LL * deviceY + metrics.height() <= deviceClip.Top ||
      deviceX >= deviceClip.Right)
    return;
  if (deviceX < deviceClip.Left &&
      1LL * deviceX + metrics.horizontalAdvance(text) <= deviceClip.Left)
    return;
  QPainter* painter = DevicePainter(target_->painter, target_->image, deviceClip);
  if (!painter) return;
  painter->setFont(target_->font);
  painter->setPen(OpaqueColor(*rgb));
  if (rightToLeft) painter->setLayoutDirection(Qt::RightToLeft);
  const int baseline = deviceY + metrics.ascent();
  painter->drawText(QPoint(deviceX, baseline), text);
  if (underline >= 0 && underline < text.size()) {
    const auto [from, to] = VisualSpan(text, underline, target_->font, rightToLeft);
    const int thickness = std::max(1, metrics.lineWidth());
    painter->fillRect(
        QRect(deviceX + from, baseline + std::max(1, metrics.underlinePos()), to - from, thickness),
        OpaqueColor(*rgb));
  }
  painter->setPen(Qt::NoPen);
  painter->setLayoutDirection(Qt::LeftToRight);
}

void TCanvas::FillTextBackground(const TRect& deviceRect, const TRect& deviceClip) {
  if (brush_.Style() != bsSolid) return;
  const auto rgb = Rgb(brush_.Color());
  QImage* image = target_->Bits();
  if (!rgb || !image) return;
  PixelSurface surface(*image, target_->factor);
  surface.Fill(deviceClip, deviceRect, *rgb, pmCopy);
}

void TCanvas::TextOut(int x, int y, const QString& text) {
  const int width = TextWidth(text);
  const int height = TextHeight(text);
  penPos_ = {ClampToInt(1LL * x + width), y};
  const long long dx = 1LL * x - windowOrg_.X, dy = 1LL * y - windowOrg_.Y;
  const TRect clip = DeviceClip();
  if (clip.IsEmpty() || text.isEmpty()) return;
  FillTextBackground(
      {ClampToInt(dx), ClampToInt(dy), ClampToInt(dx + width), ClampToInt(dy + height)}, clip);
  DrawTextRun(ClampToInt(dx), ClampToInt(dy), text, -1, clip, false);
}

int TCanvas::DrawText(const QString& text, TRect& rect, TTextFormat flags) {
  const TAcceleratedText shown =
      (flags & DT_NOPREFIX) ? TAcceleratedText{text, -1} : StripAccelerators(text);
  const QFontMetrics& metrics = target_->Metrics(font_);
  const auto measure = [&metrics](const QString& s) { return metrics.horizontalAdvance(s); };
  const std::vector<TTextLine> lines =
      LayoutTextLines(shown.Text, shown.Underline, flags, ClampToInt(Width64(rect)), measure);
  const int lineHeight = metrics.height();
  const int textHeight = ClampToInt(1LL * lineHeight * static_cast<long long>(lines.size()));

  if (flags & DT_CALCRECT) {
    int widest = 0;
    for (const TTextLine& line : lines) widest = std::max(widest, measure(line.Text));
    rect.Right = ClampToInt(1LL * rect.Left + widest);
    rect.Bottom = ClampToInt(1LL * rect.Top + textHeight);
    return textHeight;
  }

  const TRect deviceRect = ToDevice(rect, windowOrg_);
  TRect clip = DeviceClip();
  if (!(flags & DT_NOCLIP)) clip = Intersection(clip, deviceRect);
  if (clip.IsEmpty()) return textHeight;

  long long top = deviceRect.Top;
  if (flags & DT_SINGLELINE) {
    if (flags & DT_VCENTER)
      top = deviceRect.Top + (Height64(deviceRect) - lineHeight) / 2;
    else if (flags & DT_BOTTOM)
      top = 1LL * deviceRect.Bottom - lineHeight;
  }
  for (const TTextLine& line : lines) {
    const int width = measure(line.Text);
    long long left = deviceRect.Left;
    if (flags & DT_CENTER)
      left = deviceRect.Left + (Width64(deviceRect) - width) / 2;
    else if (flags & DT_RIGHT)
      left = 1LL * deviceRect.Right - width;
    FillTextBackground(
        {ClampToInt(left), ClampToInt(top), ClampToInt(left + width), ClampToInt(top + lineHeight)},
        clip);
    DrawTextRun(ClampToInt(left), ClampToInt(top), line.Text, line.Underline, clip,
                (flags & DT_RTLREADING) != 0);
    top += lineHeight;
  }
  return textHeight;
}

}  // namespace mirto
