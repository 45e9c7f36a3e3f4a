#pragma once

// The container panel: bevels, a border of its own colour, an optional
// caption, and children aligned inside the bevels and the border. Paint is
// virtual so that derived panels can draw their own background on Canvas.

#include <algorithm>

#include "platform/drawing/StylePainting.h"
#include "platform/toolkit/Control.h"

namespace mirto {

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* owner = nullptr);

  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value) { ChangeFrame(bevelInner_, value); }
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value) { ChangeFrame(bevelOuter_, value); }
  int BevelWidth() const { return bevelWidth_; }
  // At least 1.
  void SetBevelWidth(int value) { ChangeFrame(bevelWidth_, std::max(1, value)); }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value) { ChangeLook(alignment_, value); }
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool value) { ChangeLook(showCaption_, value); }
  // Stored for the layouts; every paint repaints the whole panel anyway.
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool value) { fullRepaint_ = value; }
  bool Locked() const { return locked_; }
  void SetLocked(bool value) { locked_ = value; }

 protected:
  // Bevels, border and face (unless ParentBackground), then the caption.
  void Paint() override;
  void AdjustClientRect(TRect& rect) const override;

 private:
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  TAlignment alignment_ = taCenter;
  bool showCaption_ = true;
  bool fullRepaint_ = true;
  bool locked_ = false;
};

}  // namespace mirto
