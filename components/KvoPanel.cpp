#include "components/KvoPanel.h"

#include "graphics/ColorHelpers.h"
#include "graphics/KvoGraphics.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/StylePainting.h"

namespace mirto {

// --- TKvoBasePanel -----------------------------------------------------------

TKvoBasePanel::TKvoBasePanel(TComponent* owner) : TCustomPanel(owner) { SetBevelOuter(bvNone); }

void TKvoBasePanel::SetLayout(TTextLayout value) {
  layout_ = value;
  Invalidate();
}

void TKvoBasePanel::Paint() { PaintSkeleton(); }

void TKvoBasePanel::PaintTo(TCanvas& canvas) {
  struct Restore {
    TCanvas*& slot;
    TCanvas* previous;
    ~Restore() { slot = previous; }
  } restore{paintCanvas_, paintCanvas_};
  paintCanvas_ = &canvas;
  PaintSkeleton();
}

void TKvoBasePanel::PaintSkeleton() {
  const TRect r = ClientRect();
  DrawBackground(r);
  CallHandler(OnAfterDrawBackground, this);
  if (!Caption().isEmpty()) DrawCaption(r);
  CallHandler(OnPaint, this);
}

void TKvoBasePanel::DoMouseEnter() { CallHandler(OnMouseEnter, this); }

void TKvoBasePanel::DoMouseLeave() { CallHandler(OnMouseLeave, this); }

// The control's own pointer handling is nothing but firing these same
// events, so it is not run first: the handlers would fire twice.
void TKvoBasePanel::MouseEnter() { DoMouseEnter(); }

void TKvoBasePanel::MouseLeave() { DoMouseLeave(); }

void TKvoBasePanel::VisibleChanging() {
  TCustomPanel::VisibleChanging();
  CallHandler(OnVisibleChanging, this);
}

void TKvoBasePanel::DropFiles(TWMDropFiles& message) {
  CallHandler(OnDragDropFiles, this, message);
}

// --- TKvoPanelBorder ---------------------------------------------------------

TKvoPanelBorder::TKvoPanelBorder(TComponent* /*owner*/) {
  pen_.OnChange = [this](TObject*) { PropsChanged(); };
}

void TKvoPanelBorder::PropsChanged() { Changed(); }

void TKvoPanelBorder::SetPen(const TPen& value) {
  pen_.Assign(&value);
  PropsChanged();
}

void TKvoPanelBorder::SetVisible(bool value) {
  visible_ = value;
  PropsChanged();
}

void TKvoPanelBorder::SetBorder3D(bool value) {
  border3D_ = value;
  PropsChanged();
}

void TKvoPanelBorder::Assign(const TPersistent* source) {
  const auto* border = dynamic_cast<const TKvoPanelBorder*>(source);
  if (border == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  {
    const TChangeMute mute(pen_);
    pen_.Assign(&border->pen_);
  }
  visible_ = border->visible_;
  border3D_ = border->border3D_;
  PropsChanged();
}

// --- TKvoPanelBorders --------------------------------------------------------

TKvoPanelBorders::TKvoPanelBorders(TComponent* owner)
    : left_(owner), right_(owner), top_(owner), bottom_(owner) {
  for (TKvoPanelBorder* side : {&left_, &right_, &top_, &bottom_})
    side->OnChange = [this](TObject*) { PropsChanged(); };
  left_.Pen().SetColor(clBtnHighlight);
  right_.Pen().SetColor(clBtnShadow);
  top_.Pen().SetColor(clBtnHighlight);
  bottom_.Pen().SetColor(clBtnShadow);
}

void TKvoPanelBorders::PropsChanged() { Changed(); }

void TKvoPanelBorders::SetSide(TKvoPanelBorder& side, const TKvoPanelBorder& value) {
  side.Assign(&value);
  PropsChanged();
}

void TKvoPanelBorders::Assign(const TPersistent* source) {
  const auto* borders = dynamic_cast<const TKvoPanelBorders*>(source);
  if (borders == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  left_.Assign(&borders->left_);
  right_.Assign(&borders->right_);
  top_.Assign(&borders->top_);
  bottom_.Assign(&borders->bottom_);
}

// --- TKvoPanelAppearance -----------------------------------------------------

TKvoPanelAppearance::TKvoPanelAppearance(TComponent* owner)
    : owner_(owner), upperGradient_(owner), bottomGradient_(owner), borders_(owner) {
  upperGradient_.SetColorFrom(ColorSetPercentBrightness(clBtnFace, 5, true));
  upperGradient_.SetColorTo(ColorSetPercentBrightness(clBtnFace, 5, false));
  bottomGradient_.SetColorFrom(upperGradient_.ColorTo());
  bottomGradient_.SetColorTo(ColorSetPercentBrightness(clBtnFace, 10, false));
  borders_.OnChange = [this](TObject*) { PropsChanged(); };
}

void TKvoPanelAppearance::PropsChanged() { Changed(); }

void TKvoPanelAppearance::SetUpperGradient(const TKvoGradientEx& value) {
  upperGradient_.Assign(&value);
  PropsChanged();
}

void TKvoPanelAppearance::SetBottomGradient(const TKvoGradientEx& value) {
  bottomGradient_.Assign(&value);
  PropsChanged();
}

void TKvoPanelAppearance::SetUpperGradientPercent(std::uint8_t value) {
  upperGradientPercent_ = value;
  const TNotifyEvent bottomChanged = bottomGradient_.OnChange();
  const TNotifyEvent upperChanged = upperGradient_.OnChange();
  CallHandler(bottomChanged, this);
  CallHandler(upperChanged, this);
  PropsChanged();
}

void TKvoPanelAppearance::SetBorders(const TKvoPanelBorders& value) {
  borders_.Assign(&value);
  PropsChanged();
}

void TKvoPanelAppearance::SetBorderToGradientMargin(int value) {
  borderToGradientMargin_ = value;
  PropsChanged();
}

void TKvoPanelAppearance::SetBackgroundColor(TColor value) {
  backgroundColor_ = value;
  PropsChanged();
}

void TKvoPanelAppearance::SetDrawGradient(bool value) {
  drawGradient_ = value;
  PropsChanged();
}

void TKvoPanelAppearance::SetDrawBorder(bool value) {
  drawBorder_ = value;
  PropsChanged();
}

void TKvoPanelAppearance::Assign(const TKvoPanelAppearance& source, bool applyGradientParams,
                                 bool applyBordersParams) {
  if (&source == this) return;
  {
    // The owned parts notify on their own; the appearance reports once.
    const TChangeMute mute(*this);
    upperGradientPercent_ = source.upperGradientPercent_;
    borderToGradientMargin_ = source.borderToGradientMargin_;
    backgroundColor_ = source.backgroundColor_;
    drawGradient_ = source.drawGradient_;
    drawBorder_ = source.drawBorder_;
    if (applyGradientParams) {
      upperGradient_.Assign(&source.upperGradient_);
      bottomGradient_.Assign(&source.bottomGradient_);
    }
    if (applyBordersParams) borders_.Assign(&source.borders_);
  }
  PropsChanged();
}

void TKvoPanelAppearance::Assign(const TPersistent* source) {
  const auto* appearance = dynamic_cast<const TKvoPanelAppearance*>(source);
  if (appearance == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  Assign(*appearance, true, true);
}

// --- TKvoCustomPanel ---------------------------------------------------------

TKvoCustomPanel::TKvoCustomPanel(TComponent* owner)
    : TKvoBasePanel(owner),
      appearance_(this),
      tagExt_(this),
      verticalLines_(this),
      horizontalLines_(this),
      captions_(this),
      horizontalBars_(this) {
  SetParentBackground(false);
  appearance_.OnChange = [this](TObject* sender) { PropsChanged(sender); };
  appearance_.UpperGradient().SetOnChange([this](TObject* sender) { GradientChanged(sender); });
  appearance_.BottomGradient().SetOnChange([this](TObject* sender) { GradientChanged(sender); });
  const auto changed = [this](TObject* sender) { PropsChanged(sender); };
  verticalLines_.SetOnChange(changed);
  horizontalLines_.SetOnChange(changed);
  captions_.SetOnChange(changed);
  horizontalBars_.SetOnChange(changed);
}

void TKvoCustomPanel::PropsChanged(TObject* /*sender*/) {
  if (!ComponentState().Contains(csLoading)) Invalidate();
}

void TKvoCustomPanel::GradientChanged(TObject* /*sender*/) {
  const TComponentState state = ComponentState();
  if (state.Contains(csDesigning) && !state.Contains(csLoading) && ParentBackground())
    SetParentBackground(false);
  Invalidate();
}

void TKvoCustomPanel::SetAppearance(const TKvoPanelAppearance& value) {
  appearance_.Assign(&value);
  Invalidate();
}

void TKvoCustomPanel::SetTagExt(const TKvoTagExt& value) {
  tagExt_.SetIntValue(value.IntValue());
  tagExt_.SetStrValue(value.StrValue());
  tagExt_.SetRealValue(value.RealValue());
  tagExt_.SetDateValue(value.DateValue());
  tagExt_.SetPointerValue(value.PointerValue());
}

void TKvoCustomPanel::SetVerticalLines(const TKvoPanelVerticalLines& value) {
  verticalLines_.Assign(&value);
  Invalidate();
}

void TKvoCustomPanel::SetHorizontalLines(const TKvoPanelHorizontalLines& value) {
  horizontalLines_.Assign(&value);
  Invalidate();
}

void TKvoCustomPanel::SetCaptions(const TKvoPanelCaptions& value) {
  captions_.Assign(&value);
  PropsChanged(&captions_);
}

void TKvoCustomPanel::SetHorizontalBars(const TKvoPanelHorizontalBars& value) {
  horizontalBars_.Assign(&value);
  PropsChanged(&horizontalBars_);
}

TKvoBorderWidths TKvoCustomPanel::GetBorderWidths() const {
  const auto width = [](const TKvoPanelBorder& border) {
    return border.Visible() && border.Pen().Width() > 0 ? border.Pen().Width() : 0;
  };
  const TKvoPanelBorders& b = appearance_.Borders();
  return {width(b.Left()), width(b.Right()), width(b.Top()), width(b.Bottom())};
}

void TKvoCustomPanel::GetBorderWidths(int& left, int& right, int& top, int& bottom) const {
  const TKvoBorderWidths w = GetBorderWidths();
  left = w.Left;
  right = w.Right;
  top = w.Top;
  bottom = w.Bottom;
}

void TKvoCustomPanel::DrawBackground(TRect r) {
  if (!ParentBackground()) {
    if (TStyleServices::IsCustomStyleActive() && StyleElements().Contains(seClient))
      DrawStyledBackground();
    else
      DrawAppearanceBackground(r);
  }
  DrawHorizontalBars(r);
  DrawVerticalLines(r);
  DrawHorizontalLines(r);
  DrawCaptions(r);
  DrawBorders(r);
}

void TKvoCustomPanel::DrawAppearanceBackground(const TRect& r) {
  TCanvas& canvas = PaintCanvas();
  canvas.Brush().SetStyle(bsClear);
  canvas.Brush().SetColor(appearance_.BackgroundColor());
  if (!appearance_.DrawGradient()) {
    canvas.FillRect(r);
    return;
  }
  TRect g = r;
  const int margin = appearance_.BorderToGradientMargin();
  if (margin > 0) {
    const TKvoPanelBorders& b = appearance_.Borders();
    const auto inset = [margin](const TKvoPanelBorder& border) {
      return (border.Visible() ? border.Pen().Width() : 0) + margin;
    };
    g.Top += inset(b.Top());
    g.Bottom -= inset(b.Bottom());
    g.Left += inset(b.Left());
    g.Right -= inset(b.Right());
  }
  const int h = g.Bottom - g.Top;
  const int upperH = Round(static_cast<double>(h) * appearance_.UpperGradientPercent() / 100.0);
  appearance_.UpperGradient().Draw(canvas, {g.Left, g.Top, g.Right, g.Top + upperH});
  appearance_.BottomGradient().Draw(canvas, {g.Left, g.Top + upperH, g.Right, g.Bottom});
}

// The toolkit's standard panel face in the active style's colours.
void TKvoCustomPanel::DrawStyledBackground() {
  TCanvas& canvas = PaintCanvas();
  TRect s = ClientRect();
  TColor base = Color();
  TColor top = clBtnHighlight;
  TColor bottom = clBtnShadow;
  if (TStyleServices::Enabled()) {
    const auto take = [](TThemedElement element, TElementColor kind, TColor& target) {
      TColor c = clNone;
      if (TStyleServices::GetElementColor(element, kind, c) && c != clNone) target = c;
    };
    take(tpPanelBackground, ecFillColor, base);
    take(tpPanelBevel, ecEdgeHighLightColor, top);
    take(tpPanelBevel, ecEdgeShadowColor, bottom);
  }
  const auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    if (cut == bvLowered)
      Frame3D(canvas, s, bottom, top, BevelWidth());
    else
      Frame3D(canvas, s, top, bottom, BevelWidth());
  };
  bevel(BevelOuter());
  Frame3D(canvas, s, base, base, BorderWidth());
  bevel(BevelInner());
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(base);
  canvas.FillRect(s);
}

void TKvoCustomPanel::DrawBorders(TRect r) {
  if (!appearance_.DrawBorder()) return;
  TCanvas& canvas = PaintCanvas();
  canvas.Brush().SetStyle(bsClear);
  const TKvoPanelBorders& b = appearance_.Borders();
  if (b.Left().Visible()) DrawRectLeftBorder(canvas, r, b.Left().Pen(), b.Left().Border3D());
  if (b.Right().Visible()) DrawRectRightBorder(canvas, r, b.Right().Pen(), b.Right().Border3D());
  if (b.Top().Visible()) DrawRectTopBorder(canvas, r, b.Top().Pen(), b.Top().Border3D());
  if (b.Bottom().Visible())
    DrawRectBottomBorder(canvas, r, b.Bottom().Pen(), b.Bottom().Border3D());
}

void TKvoCustomPanel::DrawHorizontalBars(TRect r) {
  mirto::DrawHorizontalBars(PaintCanvas(), horizontalBars_, r, GetBorderWidths());
}

void TKvoCustomPanel::DrawVerticalLines(TRect r) {
  mirto::DrawVerticalLines(PaintCanvas(), verticalLines_, r, GetBorderWidths());
}

void TKvoCustomPanel::DrawHorizontalLines(TRect r) {
  mirto::DrawHorizontalLines(PaintCanvas(), horizontalLines_, r, GetBorderWidths());
}

void TKvoCustomPanel::DrawCaptions(TRect r) {
  mirto::DrawCaptions(PaintCanvas(), captions_, r, GetBorderWidths());
}

}  // namespace mirto
