#include "components/KvoTitleLabel.h"

#include <algorithm>
#include <utility>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/FactorCanvas.h"

namespace mirto {

namespace {

// Channel offsets in a 32-bit bitmap row (B, G, R, A).
constexpr int kBlue = 0;
constexpr int kGreen = 1;
constexpr int kRed = 2;

std::uint8_t Channel(TColor color, int channel) {
  switch (channel) {
    case kRed:
      return GetRValue(color);
    case kGreen:
      return GetGValue(color);
    default:
      return GetBValue(color);
  }
}

// a + (b - a) * step / steps, rounded to the nearest.
int Lerp(int a, int b, int step, int steps) {
  if (steps <= 0) return a;
  const int num = (b - a) * step;
  return a + (num >= 0 ? (num + steps / 2) / steps : -((-num + steps / 2) / steps));
}

TColor LerpColor(TColor a, TColor b, int step, int steps) {
  return RGB(static_cast<std::uint8_t>(Lerp(GetRValue(a), GetRValue(b), step, steps)),
             static_cast<std::uint8_t>(Lerp(GetGValue(a), GetGValue(b), step, steps)),
             static_cast<std::uint8_t>(Lerp(GetBValue(a), GetBValue(b), step, steps)));
}

// dest moved toward source by weight / (255 * 255).
std::uint8_t Blend(std::uint8_t dest, std::uint8_t source, int weight) {
  const int num = (source - dest) * weight;
  constexpr int kFull = 255 * 255;
  return static_cast<std::uint8_t>(
      dest + (num >= 0 ? (num + kFull / 2) / kFull : -((-num + kFull / 2) / kFull)));
}

// The text in white on black on a mask of width x height pixels, painted
// at factor as a control's picture would be (the letters as fine as the
// screen, placed as the label's text would be): each channel is the text's
// coverage of that subpixel (all three equal without subpixel smoothing).
void RenderCoverage(TBitmap& mask, const QString& text, const TFont& font, bool clearType,
                    int width, int height, int factor) {
  mask.SetPixelFormat(pf32bit);
  mask.SetSize(width, height);
  mask.Canvas().Brush().SetStyle(TBrushStyle::bsSolid);
  mask.Canvas().Brush().SetColor(clBlack);
  mask.Canvas().FillRect({0, 0, width, height});
  TFactorCanvas scaled(mask, factor);
  TCanvas& canvas = scaled.Canvas();
  canvas.Font().Assign(&font);
  canvas.Font().SetColor(clWhite);
  if (clearType) canvas.Font().SetQuality(fqClearType);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.TextOut(0, 0, text);
}

// Blends colour into the rows of work, each row's colour and opacity from
// rowColor and rowOpacity, weighted by the coverage mask placed at offset.
template <typename RowColor, typename RowOpacity>
void BlendThroughMask(TBitmap& work, const TBitmap& mask, int offset, RowColor rowColor,
                      RowOpacity rowOpacity) {
  for (int y = 0; y < work.Height(); ++y) {
    const std::uint8_t* coverage = mask.ScanLine(y - offset);
    if (coverage == nullptr) continue;
    std::uint8_t* row = work.ScanLine(y);
    const TColor color = rowColor(y - offset);
    const int opacity = rowOpacity(y - offset);
    if (opacity == 0) continue;
    for (int x = std::max(offset, 0); x < work.Width() && x - offset < mask.Width(); ++x) {
      const std::uint8_t* cover = coverage + 4 * (x - offset);
      std::uint8_t* pixel = row + 4 * x;
      for (int channel : {kBlue, kGreen, kRed})
        if (cover[channel] != 0)
          pixel[channel] = Blend(pixel[channel], Channel(color, channel), cover[channel] * opacity);
    }
  }
}

}  // namespace

TSize MeasureTitle(const TKvoTitleLook& look) {
  TCanvas measure;
  if (look.Font != nullptr) measure.Font().Assign(look.Font);
  const int width = std::max(measure.TextWidth(look.Text), measure.TextWidth(look.ShadowText));
  const int height = measure.TextHeight(look.Text.isEmpty() ? QStringLiteral(" ") : look.Text);
  return {width + kTitleShadowOffset, height + kTitleShadowOffset};
}

class TKvoTitleMasks {
 public:
  // The masks for look at factor, each width x height pixels; rendered
  // only when something they depend on differs from the kept ones.
  void Prepare(const TKvoTitleLook& look, int factor, int width, int height) {
    Key key{look.Text,
            look.ShadowText,
            look.Font->Name(),
            look.Font->Height(),
            look.Font->Style(),
            look.Font->Pitch(),
            look.Font->Quality(),
            look.ClearType,
            factor,
            width,
            height};
    if (key == key_) return;
    shadow_.SetSize(0, 0);
    letters_.SetSize(0, 0);
    if (!look.ShadowText.isEmpty())
      RenderCoverage(shadow_, look.ShadowText, *look.Font, look.ClearType, width, height, factor);
    if (!look.Text.isEmpty())
      RenderCoverage(letters_, look.Text, *look.Font, look.ClearType, width, height, factor);
    key_ = std::move(key);
  }
  const TBitmap& Shadow() const { return shadow_; }
  const TBitmap& Letters() const { return letters_; }

 private:
  struct Key {
    QString text, shadowText, fontName;
    int fontHeight = 0;
    TFontStyles fontStyle;
    TFontPitch fontPitch = fpDefault;
    TFontQuality fontQuality = fqDefault;
    bool clearType = false;
    int factor = 0, width = 0, height = 0;
    bool operator==(const Key&) const = default;
  };
  Key key_;
  TBitmap shadow_;
  TBitmap letters_;
};

void DrawTitle(TCanvas& canvas, TPoint origin, const TKvoTitleLook& look, TKvoTitleMasks* masks) {
  if (look.Font == nullptr || (look.Text.isEmpty() && look.ShadowText.isEmpty())) return;
  const TSize size = MeasureTitle(look);
  const int cellWidth = size.cx - kTitleShadowOffset;
  const int cellHeight = size.cy - kTitleShadowOffset;
  if (cellWidth <= 0 || cellHeight <= 0) return;

  // Everything below is in the canvas's own pixels.
  const int factor = canvas.DeviceFactor();
  const int offset = kTitleShadowOffset * factor;
  const TColor start = ColorToRGB(look.GradientStart);
  const TColor end = ColorToRGB(look.GradientEnd);
  const TColor shadow = ColorToRGB(look.ShadowColor);
  const int lastRow = cellHeight * factor - 1;

  TKvoTitleMasks ownMasks;
  TKvoTitleMasks& kept = masks != nullptr ? *masks : ownMasks;
  kept.Prepare(look, factor, cellWidth * factor, cellHeight * factor);

  TBitmap work;
  work.SetPixelFormat(pf32bit);
  work.SetSize(size.cx * factor, size.cy * factor);
  const TRect area = Bounds(origin.X, origin.Y, size.cx, size.cy);
  work.Canvas().CopyRect({0, 0, work.Width(), work.Height()}, canvas, area);

  if (!look.ShadowText.isEmpty() && look.ShadowColor != clNone) {
    BlendThroughMask(
        work, kept.Shadow(), offset, [&](int) { return shadow; },
        [&](int row) {
          return Lerp(look.ShadowOpacityStart, look.ShadowOpacityEnd, row, lastRow);
        });
  }
  if (!look.Text.isEmpty()) {
    BlendThroughMask(
        work, kept.Letters(), 0, [&](int row) { return LerpColor(start, end, row, lastRow); },
        [](int) { return 255; });
  }
  canvas.DrawDevicePixels(origin.X, origin.Y, work);
}

TKvoTitleLabel::TKvoTitleLabel(TComponent* owner)
    : TGraphicControl(owner), masks_(std::make_unique<TKvoTitleMasks>()) {
  SetAccessibleRole(arStaticText);
  SetBounds(0, 0, 0, 0);
  AdjustBounds();
}

TKvoTitleLabel::~TKvoTitleLabel() = default;

void TKvoTitleLabel::SetShadowText(const QString& value) {
  if (value == shadowText_) return;
  shadowText_ = value;
  AdjustBounds();
  Invalidate();
}

void TKvoTitleLabel::SetGradientStart(TColor value) {
  if (value == gradientStart_) return;
  gradientStart_ = value;
  Invalidate();
}

void TKvoTitleLabel::SetGradientEnd(TColor value) {
  if (value == gradientEnd_) return;
  gradientEnd_ = value;
  Invalidate();
}

void TKvoTitleLabel::SetShadowColor(TColor value) {
  if (value == shadowColor_) return;
  shadowColor_ = value;
  Invalidate();
}

void TKvoTitleLabel::SetShadowOpacityStart(int value) {
  const auto clamped = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
  if (clamped == shadowOpacityStart_) return;
  shadowOpacityStart_ = clamped;
  Invalidate();
}

void TKvoTitleLabel::SetShadowOpacityEnd(int value) {
  const auto clamped = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
  if (clamped == shadowOpacityEnd_) return;
  shadowOpacityEnd_ = clamped;
  Invalidate();
}

void TKvoTitleLabel::SetClearType(bool value) {
  if (value == clearType_) return;
  clearType_ = value;
  Invalidate();
}

TKvoTitleLook TKvoTitleLabel::Look() const {
  TKvoTitleLook look;
  look.Text = Text();
  look.ShadowText = shadowText_;
  look.Font = &Font();
  look.GradientStart = gradientStart_;
  look.GradientEnd = gradientEnd_;
  look.ShadowColor = shadowColor_;
  look.ShadowOpacityStart = shadowOpacityStart_;
  look.ShadowOpacityEnd = shadowOpacityEnd_;
  look.ClearType = clearType_;
  return look;
}

void TKvoTitleLabel::Paint() { DrawTitle(Canvas(), {0, 0}, Look(), masks_.get()); }

void TKvoTitleLabel::AdjustBounds() {
  if (ComponentState().Contains(csLoading)) return;
  const TSize size = MeasureTitle(Look());
  SetBounds(Left(), Top(), size.cx, size.cy);
}

void TKvoTitleLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TKvoTitleLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

void TKvoTitleLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

}  // namespace mirto
