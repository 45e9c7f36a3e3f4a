#include "components/KvoMenuPainter.h"

#include <algorithm>

#include "platform/drawing/Canvas.h"
#include "platform/toolkit/ImageList.h"
#include "platform/toolkit/ShortCut.h"

namespace mirto {

namespace {

constexpr TTextFormat kLineFormat = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;

// What one entry shows, folded from the item and its state.
struct EntryLook {
  bool line = false;
  bool selected = false;
  bool enabled = true;
  QString caption;
  QString shortCut;
  int imageIndex = -1;
  TCustomImageList* images = nullptr;
};

EntryLook LookOf(const TMenuItem& item, TOwnerDrawState state) {
  EntryLook look;
  look.line = item.IsLine();
  look.selected = state.Contains(odSelected);
  look.enabled = !state.Contains(odDisabled) && !state.Contains(odGrayed);
  look.caption = item.Caption();
  look.shortCut = ShortCutToText(item.ShortCut());
  look.imageIndex = item.ImageIndex();
  if (const TPopupMenu* menu = item.GetParentMenu()) look.images = menu->Images();
  return look;
}

TSize TextSize(TCanvas& canvas, const QString& text, TTextFormat flags) {
  TRect r{0, 0, 0, 0};
  canvas.DrawText(text, r, flags | DT_SINGLELINE | DT_CALCRECT);
  return {r.Width(), r.Height()};
}

}  // namespace

void TKvoMenuPainter::SetFont(TFont& font, const TKvoMenuFont& from) const {
  font.SetName(from.Name);
  font.SetHeight(-from.Height);
  font.SetColor(from.Color);
  font.SetStyle({});
  font.SetQuality(style_.TextQuality);
}

TSize TKvoMenuPainter::MeasureItem(TCanvas& canvas, const TMenuItem& item) const {
  const int barWidth = std::max(style_.IconBarWidth, 0);
  if (item.IsLine()) return {barWidth + 2 * kSeparatorIndent, kSeparatorHeight};
  TCanvasStateGuard guard(canvas);
  const QString shortCut = ShortCutToText(item.ShortCut());
  int textWidth = 0;
  int textHeight = 0;
  for (const TKvoMenuFont* font : {&style_.ItemFont, &style_.SelectedFont}) {
    SetFont(canvas.Font(), *font);
    const TSize caption = TextSize(canvas, item.Caption(), 0);
    int width = caption.cx;
    if (!shortCut.isEmpty()) width += kShortCutGap + TextSize(canvas, shortCut, DT_NOPREFIX).cx;
    textWidth = std::max(textWidth, width);
    textHeight = std::max(textHeight, caption.cy);
  }
  int height = textHeight + 2 * kTextPadding;
  const TPopupMenu* menu = item.GetParentMenu();
  if (const TCustomImageList* images = menu != nullptr ? menu->Images() : nullptr)
    height = std::max(height, images->Height() + 2 * kImagePadding);
  return {barWidth + kCaptionIndent + textWidth + kRightMargin, height};
}

void TKvoMenuPainter::DrawBackground(TCanvas& canvas, const TRect& rect) const {
  if (rect.IsEmpty()) return;
  TCanvasStateGuard guard(canvas);
  GradientFillCanvas(canvas, style_.BackgroundFrom, style_.BackgroundTo, rect, gdVertical);

  TRect inner = rect;
  InflateRect(inner, -kBorderWidth, -kBorderWidth);
  const int barRight = std::min(inner.Left + std::max(style_.IconBarWidth, 0), inner.Right);
  const TRect bar{inner.Left, inner.Top, barRight, inner.Bottom};
  if (!bar.IsEmpty()) {
    GradientFillCanvas(canvas, style_.IconBarFrom, style_.IconBarTo, bar, gdVertical);
    if (style_.IconBarLine != clNone) {
      canvas.Brush().SetStyle(TBrushStyle::bsSolid);
      canvas.Brush().SetColor(style_.IconBarLine);
      canvas.FillRect({bar.Right - 1, bar.Top, bar.Right, bar.Bottom});
    }
  }

  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(style_.BorderColor);
  for (int i = 0; i < kBorderWidth; ++i) {
    TRect ring = rect;
    InflateRect(ring, -i, -i);
    if (!ring.IsEmpty()) canvas.FrameRect(ring);
  }
}

void TKvoMenuPainter::DrawItem(TCanvas& canvas, const TMenuItem& item, const TRect& rect,
                               TOwnerDrawState state) const {
  if (rect.IsEmpty()) return;
  const EntryLook look = LookOf(item, state);
  TCanvasStateGuard guard(canvas);
  const int barWidth = std::max(style_.IconBarWidth, 0);

  if (look.line) {
    const int y = rect.Top + rect.Height() / 2;
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(style_.SeparatorColor);
    canvas.FillRect({rect.Left + barWidth + kSeparatorIndent, y, rect.Right, y + 1});
    return;
  }

  if (look.selected) {
    GradientFillCanvas(canvas, style_.SelectedFrom, style_.SelectedTo, rect, gdVertical);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(style_.SelectedBorder);
    canvas.FrameRect(rect);
  }

  if (look.images != nullptr && look.imageIndex >= 0 && look.imageIndex < look.images->Count()) {
    const int x = rect.Left + (barWidth - look.images->Width()) / 2;
    const int y = rect.Top + (rect.Height() - look.images->Height()) / 2;
    look.images->Draw(&canvas, x, y, look.imageIndex, look.enabled);
  }

  SetFont(canvas.Font(), look.selected ? style_.SelectedFont : style_.ItemFont);
  if (!look.enabled) canvas.Font().SetColor(style_.DisabledFontColor());
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  TRect text{rect.Left + barWidth + kCaptionIndent, rect.Top, rect.Right - kRightMargin,
             rect.Bottom};
  if (!look.shortCut.isEmpty())
    canvas.DrawText(look.shortCut, text, kLineFormat | DT_RIGHT | DT_NOPREFIX);
  canvas.DrawText(look.caption, text, kLineFormat);
}

TSize TKvoMenuPainter::PaintPreview(TCanvas& canvas, TPoint origin, const TPopupMenu& menu,
                                    int selected) const {
  const TMenuItem& root = *menu.Items();
  int width = 0;
  int height = 0;
  std::vector<int> heights(static_cast<std::size_t>(root.Count()), 0);
  for (int i = 0; i < root.Count(); ++i) {
    const TMenuItem& item = *root.Items(i);
    if (!item.Visible()) continue;
    const TSize size = MeasureItem(canvas, item);
    width = std::max(width, size.cx);
    heights[static_cast<std::size_t>(i)] = size.cy;
    height += size.cy;
  }
  const TSize total{width + 2 * kBorderWidth, height + 2 * kBorderWidth};
  DrawBackground(canvas, Bounds(origin.X, origin.Y, total.cx, total.cy));
  int y = origin.Y + kBorderWidth;
  for (int i = 0; i < root.Count(); ++i) {
    const TMenuItem& item = *root.Items(i);
    if (!item.Visible()) continue;
    TOwnerDrawState state;
    if (i == selected && !item.IsLine()) state.Include(odSelected);
    if (!item.Enabled()) state.Include(odDisabled).Include(odGrayed);
    const int h = heights[static_cast<std::size_t>(i)];
    DrawItem(canvas, item, Bounds(origin.X + kBorderWidth, y, width, h), state);
    y += h;
  }
  return total;
}

}  // namespace mirto
