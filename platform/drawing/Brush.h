#pragma once

// The brush fills rectangles and the interiors of shapes.

#include "platform/drawing/Persistent.h"
#include "platform/drawing/Types.h"

namespace mirto {

enum class TBrushStyle { bsSolid, bsClear };
using enum TBrushStyle;

class TBrush : public TPersistent {
 public:
  TColor Color() const { return color_; }
  // Giving a clear brush a colour makes it solid again.
  void SetColor(TColor value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle value);

  // Copies colour and style of another brush.
  void Assign(const TPersistent* source) override;

  TNotifyEvent OnChange;

 private:
  void Changed();

  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

}  // namespace mirto
