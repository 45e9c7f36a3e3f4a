#pragma once

// A title drawn smoothed: the letters filled with a vertical gradient over
// a shadow copy of the text one pixel to the right and below, the shadow's
// opacity running from its top to its bottom. The label paints over its
// parent's background, has no fill and no border, and takes the size of its
// text plus the shadow offset (so a caller can centre it by its width).

#include <QString>
#include <cstdint>
#include <memory>

#include "platform/drawing/Font.h"
#include "platform/drawing/Types.h"
#include "platform/toolkit/Control.h"

namespace mirto {

// Everything the title's picture depends on.
struct TKvoTitleLook {
  QString Text;
  QString ShadowText;
  const TFont* Font = nullptr;
  TColor GradientStart = clBlack;  // top row of the text cell
  TColor GradientEnd = clBlack;    // bottom row
  TColor ShadowColor = clBlack;
  std::uint8_t ShadowOpacityStart = 0;  // of 255, top row of the shadow
  std::uint8_t ShadowOpacityEnd = 0;    // bottom row
  bool ClearType = true;                // subpixel smoothing; off: the font's own quality
};

constexpr int kTitleShadowOffset = 1;

// The two texts of a title rendered as coverage masks at one factor, kept
// from one paint to the next while the texts, the font and the factor stay
// the same (a change of any of them renders them anew).
class TKvoTitleMasks;

// The size the look needs: the wider of the two texts and one text height,
// both plus the shadow offset.
TSize MeasureTitle(const TKvoTitleLook& look);
// Blends the shadow, then the letters, over what canvas shows, with the text
// cell's top-left corner at origin. Works on the canvas's own pixels: the
// texts are rasterised DeviceFactor() times as large, so the letters are as
// fine as the screen. Without masks the texts are rendered for this call.
void DrawTitle(TCanvas& canvas, TPoint origin, const TKvoTitleLook& look,
               TKvoTitleMasks* masks = nullptr);

class TKvoTitleLabel : public TGraphicControl {
 public:
  explicit TKvoTitleLabel(TComponent* owner = nullptr);
  ~TKvoTitleLabel() override;

  // The letters show Text (the control's text), the shadow ShadowText.
  const QString& ShadowText() const { return shadowText_; }
  void SetShadowText(const QString& value);

  TColor GradientStart() const { return gradientStart_; }
  void SetGradientStart(TColor value);
  TColor GradientEnd() const { return gradientEnd_; }
  void SetGradientEnd(TColor value);
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor value);
  // Opacities of 255; other values are clamped.
  int ShadowOpacityStart() const { return shadowOpacityStart_; }
  void SetShadowOpacityStart(int value);
  int ShadowOpacityEnd() const { return shadowOpacityEnd_; }
  void SetShadowOpacityEnd(int value);
  // Letters smoothed per subpixel where possible; off: as the font's
  // Quality says.
  bool ClearType() const { return clearType_; }
  void SetClearType(bool value);

  TKvoTitleLook Look() const;

 protected:
  void Paint() override;
  bool ShowsParentBackground() const override { return true; }
  void TextChanged() override;
  void FontChanged() override;
  void Loaded() override;

 private:
  void AdjustBounds();

  QString shadowText_;
  TColor gradientStart_ = clBlack;
  TColor gradientEnd_ = clBlack;
  TColor shadowColor_ = clBlack;
  std::uint8_t shadowOpacityStart_ = 0;
  std::uint8_t shadowOpacityEnd_ = 0;
  bool clearType_ = true;
  std::unique_ptr<TKvoTitleMasks> masks_;
};

}  // namespace mirto
