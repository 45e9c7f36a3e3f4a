#pragma once

// Text font: family, size, colour and style. Sizes in points are converted at
// 96 dots per inch whatever the screen, so layouts stay pixel-exact.

#include <QString>
#include <tuple>

#include "platform/drawing/Persistent.h"
#include "platform/drawing/Types.h"

namespace mirto {

enum class TFontPitch { fpDefault, fpVariable, fpFixed };
using enum TFontPitch;

// How the letters' edges are smoothed: the platform's choice, not at all,
// in grey levels, or per colour subpixel where the target allows it (grey
// levels elsewhere).
enum class TFontQuality { fqDefault, fqNonAntialiased, fqAntialiased, fqClearType };
using enum TFontQuality;

class TFont : public TNotifyingPersistent {
 public:
  static constexpr int PixelsPerInch = 96;

  const QString& Name() const { return name_; }
  void SetName(const QString& value) { Change(name_, value); }

  // Size in points; derived from Height: -Height * 72 / 96, rounded.
  int Size() const;
  void SetSize(int points);

  // Height in pixels: negative is the character height (em size), positive
  // the cell height including the internal leading.
  int Height() const { return height_; }
  void SetHeight(int pixels) { Change(height_, pixels); }

  TColor Color() const { return color_; }
  void SetColor(TColor value) { Change(color_, value); }
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles value) { Change(style_, value); }
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch value) { Change(pitch_, value); }
  TFontQuality Quality() const { return quality_; }
  void SetQuality(TFontQuality value) { Change(quality_, value); }

  // Copies name, height, colour, style, pitch and quality of another font.
  void Assign(const TPersistent* source) override;

 private:
  auto Fields() { return std::tie(name_, height_, color_, style_, pitch_, quality_); }
  auto Fields() const { return std::tie(name_, height_, color_, style_, pitch_, quality_); }

  QString name_ = QStringLiteral("Tahoma");
  int height_ = -11;  // 8 points at 96 dpi
  TColor color_ = clWindowText;
  TFontStyles style_;
  TFontPitch pitch_ = fpDefault;
  TFontQuality quality_ = fqDefault;
};

}  // namespace mirto
