#include "platform/drawing/Font.h"

namespace mirto {

void TFont::SetName(const QString& value) {
  if (name_ == value) return;
  name_ = value;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, PixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch, 72)); }

void TFont::SetHeight(int pixels) {
  if (height_ == pixels) return;
  height_ = pixels;
  Changed();
}

void TFont::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  Changed();
}

void TFont::SetStyle(TFontStyles value) {
  if (style_ == value) return;
  style_ = value;
  Changed();
}

void TFont::SetPitch(TFontPitch value) {
  if (pitch_ == value) return;
  pitch_ = value;
  Changed();
}

void TFont::SetQuality(TFontQuality value) {
  if (quality_ == value) return;
  quality_ = value;
  Changed();
}

void TFont::Assign(const TPersistent* source) {
  const auto* font = dynamic_cast<const TFont*>(source);
  if (!font) {
    TPersistent::Assign(source);
    return;
  }
  if (font == this) return;
  const bool differs = name_ != font->name_ || height_ != font->height_ || color_ != font->color_ ||
                       style_ != font->style_ || pitch_ != font->pitch_ ||
                       quality_ != font->quality_;
  name_ = font->name_;
  height_ = font->height_;
  color_ = font->color_;
  style_ = font->style_;
  pitch_ = font->pitch_;
  quality_ = font->quality_;
  if (differs) Changed();
}

void TFont::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace mirto
