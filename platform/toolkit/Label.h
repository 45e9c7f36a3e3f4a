#pragma once

// Text labels. The caption is drawn with the canvas's DrawText: a single "&"
// underlines the next letter (the accelerator) and "&&" shows one "&",
// unless ShowAccelChar is off. With AutoSize the label takes the size of its
// text (a right-aligned label keeps its right edge), also when it is given
// bounds (turn AutoSize off first to size it by hand); a word-wrapping one
// keeps the bounds it is given until its text changes, its lines breaking
// at that width. A disabled label draws its text engraved.

#include "platform/toolkit/Control.h"

namespace mirto {

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner = nullptr);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  // An auto-sized label placed with a size fits its text again there.
  void SetBounds(int left, int top, int width, int height) override;
  // A transparent label shows its parent behind the text.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { ChangeLook(transparent_, value); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value) { ChangeLook(alignment_, value); }
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value) { ChangeLook(layout_, value); }
  // Breaks the text into lines at the label's width.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { ChangeText(wordWrap_, value); }
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value) { ChangeText(showAccelChar_, value); }

 protected:
  void Paint() override;
  // Draws (or, with DT_CALCRECT in flags, measures) the caption.
  virtual void DoDrawText(TCanvas& canvas, TRect& rect, TTextFormat flags);
  // Resizes the label to its text when AutoSize is on.
  virtual void AdjustBounds();

  bool ShowsParentBackground() const override { return transparent_; }
  void TextChanged() override;
  void FontChanged() override;
  void Loaded() override;

 private:
  TTextFormat TextFlags() const;
  // A setting that changes how the caption breaks or measures: the label
  // fits its text again and repaints.
  void ChangeText(bool& field, bool value);

  bool autoSize_ = true;
  bool transparent_ = false;
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  bool fitting_ = false;  // AdjustBounds is placing the label
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};

}  // namespace mirto
